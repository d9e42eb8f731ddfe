#pragma once

#include <functional>
#include <stdexcept>

#include <QString>

class QIODevice;

namespace sm {

// Raised when a file cannot be created or its bytes cannot reach the disk; the message
// says which file and why.
class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs `write` on a temporary file beside `fileName` and, when it returns and every byte
// reached the disk, puts that file in place of `fileName`. When anything fails the
// temporary file is removed, an existing file of that name stays as it was, and the
// error is thrown (FileWriteError for the file's own failures, or whatever `write` threw).
void WriteFileAtomically(const QString& fileName, const std::function<void(QIODevice&)>& write);

}  // namespace sm
