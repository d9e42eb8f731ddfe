#pragma once

#include <functional>

#include <QString>

class QIODevice;

namespace sm {

// Runs `write` on a temporary file beside `fileName` and, when it returns and every byte
// reached the disk, puts that file in place of `fileName`. When anything fails the
// temporary file is removed, an existing file of that name stays as it was, and the
// error is thrown (EncodeError for the file's own failures, or whatever `write` threw).
void WriteFileAtomically(const QString& fileName, const std::function<void(QIODevice&)>& write);

}  // namespace sm
