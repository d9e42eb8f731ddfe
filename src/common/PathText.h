#pragma once

#include <QString>

namespace sm {

// Folder names as the program keeps them: native separators and one trailing separator.
QString WithTrailingSeparator(const QString& folder);

// The file name of a path without its folder ("/v/a.b.avi" gives "a.b.avi").
QString FileNameOf(const QString& path);

// The file name without its folder and without everything from its first dot
// ("/v/a.b.avi" gives "a").
QString BaseNameOf(const QString& path);

}  // namespace sm
