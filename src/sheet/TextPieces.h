#pragma once

#include <QString>
#include <QStringList>

namespace sm {

// Every occurrence of the pattern replaced, scanning from the left and going on right
// after each match (a replacement is not scanned again). Without matchCase, text and
// pattern are compared in lower case. An empty pattern leaves the text as it is.
QString ReplaceText(const QString& text, const QString& pattern, const QString& replacement, bool matchCase);

// The pieces between the separators, empty ones kept; the piece after the last separator
// is always there ("a|" gives "a" and "", "a" gives "a").
QStringList SplitText(const QString& text, const QString& separator);

}  // namespace sm
