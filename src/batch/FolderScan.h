#pragma once

#include <QString>
#include <QStringList>

namespace sm {

// Whether a file name passes a scan mask. "*.*" passes every name; any other mask
// wants the extension it spells from its second character on, compared without
// letter case, so "*.MPG" passes "y.MpG" but not "z.mpeg" or "w.mpg.bak", and a
// mask such as "abc" passes nothing.
bool MatchesScanMask(const QString& fileName, const QString& mask);

// The masks the folder dialog offers: "*.*", then every pattern of the open dialog's
// "all video files" entry in its order.
QStringList ScanMasks();

// The files of a folder that pass the mask, and with includeSubfolders those of its
// subfolders too, folder by folder in breadth-first order and by name within a
// folder. Hidden and special entries (devices, pipes, sockets, broken links) are left
// out, and so are folders whose name begins with "."; a folder reached twice through
// links is scanned once.
QStringList ScanFolder(const QString& folder, const QString& mask, bool includeSubfolders);

}  // namespace sm
