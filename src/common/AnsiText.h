#pragma once

#include <QString>

namespace sm {

// Text lengths in bytes of the old double-byte code pages that stored texts and measured
// them: 1 byte for an ASCII character, 2 for any other character (a surrogate pair is one
// character). Every limit counted in bytes goes through these two.
int AnsiByteCount(const QString& text);

// The longest leading part of the text of at most maxBytes bytes; a character is never cut.
QString AnsiLeft(const QString& text, int maxBytes);

}  // namespace sm
