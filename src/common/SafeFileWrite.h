#pragma once

#include <exception>
#include <functional>
#include <stdexcept>

#include <QString>

class QIODevice;

namespace sm {

// Why a file was not written.
struct WriteFailure {
    QString FileName;
    int SystemError = 0;  // the error number of the call that failed; 0 when the system did not fail
    QString SystemText;   // the system's own words for it, or the message of what failed instead
    // "Cannot write FILE: TEXT".
    QString Message() const;
};

// The failure of a call on fileName that set the system's error number `error`.
WriteFailure SystemFailure(const QString& fileName, int error);

// Raised when a file cannot be created or its bytes cannot reach the disk; the message
// says which file and why.
class FileWriteError : public std::runtime_error {
public:
    explicit FileWriteError(const WriteFailure& failure);
    // A failure that is not the system's (SystemError 0), told by its message alone.
    explicit FileWriteError(const std::string& message);

    const WriteFailure& Failure() const { return failure_; }

private:
    WriteFailure failure_;
};

// Runs `write` on a new temporary file beside `fileName` and, when it returns and every
// byte reached the disk (each write, the last flush, the sync and the close checked),
// renames that file to `fileName`. When anything fails the temporary file is removed, an
// existing file of that name stays as it was, and the error is thrown: FileWriteError
// with the system's error number when a call on the file failed (also when `write`
// threw because of it), else whatever `write` threw.
void WriteFileAtomically(const QString& fileName, const std::function<void(QIODevice&)>& write);

// What an error caught while writing fileName amounts to: a FileWriteError's own
// failure (named after fileName when it names no file), running out of memory as the
// system's ENOMEM, anything else by its message.
WriteFailure FailureOf(const std::exception& error, const QString& fileName);

}  // namespace sm
