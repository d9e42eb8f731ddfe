#include "common/SafeFileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>

#include <cerrno>
#include <new>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sm {

namespace {

QString SystemText(int error) { return QString::fromStdString(std::generic_category().message(error)); }

// A new file written straight to its descriptor through a buffer of its own, so that
// the error number of the first call that fails is kept; after that nothing more is
// written. Removed again unless MoveTo puts it in place. Where the file system allows,
// it has no name until it is whole, so that a writer killed halfway (a worker given up,
// a crash) leaves nothing behind either.
class NewFile final : public QIODevice {
public:
    ~NewFile() override
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.isEmpty() && !kept_)
            ::unlink(path_.constData());
    }

    // Creates a file beside `base` (unnamed, or of a free name beginning with `base`),
    // with the permissions `mode` exactly when `exactMode` is set, else as the process's
    // mask allows; false with Error() set when none can be made.
    bool Create(const QString& base, mode_t mode, bool exactMode)
    {
        base_ = base;
        const mode_t createMode = exactMode ? 0600 : mode;
        // The unnamed file gets its name through /proc when it is whole; without /proc, or
        // on a file system that has no unnamed files, the file is named from the start.
        if (::access("/proc/self/fd", X_OK) == 0) {
            const QByteArray folder = QFile::encodeName(QFileInfo(base).path());
            fd_ = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, createMode);
        }
        if (fd_ < 0) {
            for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
                const QByteArray path = FreeName();
                fd_ = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
                if (fd_ >= 0)
                    path_ = path;
                else if (errno != EEXIST)
                    return Fail(errno);
            }
            if (fd_ < 0)
                return Fail(EEXIST);
        }
        QIODevice::open(WriteOnly | Unbuffered);
        return !exactMode || ::fchmod(fd_, mode) == 0 || Fail(errno);
    }

    // Writes what is buffered, syncs, names an unnamed file and closes; false with
    // Error() set when any fails.
    bool Finish()
    {
        if (!Flush())
            return false;
        // Some file systems cannot sync; their data reaches the disk on the close.
        if (::fsync(fd_) != 0 && errno != EINVAL && errno != ENOTSUP)
            return Fail(errno);
        if (path_.isEmpty() && !LinkUnnamed())
            return false;
        const int fd = fd_;
        fd_ = -1;
        QIODevice::close();
        if (::close(fd) != 0 && errno != EINTR)
            return Fail(errno);
        return true;
    }

    // Moves the file to `target`, replacing a file of that name.
    bool MoveTo(const QString& target)
    {
        if (::rename(path_.constData(), QFile::encodeName(target).constData()) != 0)
            return Fail(errno);
        kept_ = true;
        return true;
    }

    bool isSequential() const override { return true; }
    int Error() const { return error_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* data, qint64 size) override
    {
        if (error_ != 0)
            return -1;
        if (buffer_.size() + std::size_t(size) > kBufferSize && !Flush())
            return -1;
        if (std::size_t(size) >= kBufferSize)
            return WriteAll(data, std::size_t(size)) ? size : -1;
        buffer_.insert(buffer_.end(), data, data + size);
        return size;
    }

private:
    static constexpr std::size_t kBufferSize = 64 * 1024;

    QByteArray FreeName() const
    {
        static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        QString name = base_ + QLatin1Char('.');
        for (int i = 0; i < 6; ++i)
            name += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))]);
        return QFile::encodeName(name);
    }

    bool LinkUnnamed()
    {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray path = FreeName();
            if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0) {
                path_ = path;
                return true;
            }
            if (errno != EEXIST)
                return Fail(errno);
        }
        return Fail(EEXIST);
    }

    bool Flush()
    {
        const bool written = error_ == 0 && WriteAll(buffer_.data(), buffer_.size());
        buffer_.clear();
        return written;
    }

    bool WriteAll(const char* data, std::size_t size)
    {
        while (size > 0) {
            const ssize_t written = ::write(fd_, data, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return Fail(written < 0 ? errno : EIO);
            data += written;
            size -= std::size_t(written);
        }
        return true;
    }

    bool Fail(int error)
    {
        if (error_ == 0) {
            error_ = error;
            setErrorString(SystemText(error));
        }
        return false;
    }

    int fd_ = -1;
    QString base_;
    QByteArray path_;  // empty while the file has no name
    bool kept_ = false;
    int error_ = 0;
    std::vector<char> buffer_;
};

[[noreturn]] void ThrowSystemError(const QString& fileName, int error)
{
    throw FileWriteError(SystemFailure(fileName, error));
}

// The file a name stands for: the target of a link (followed through links), so that
// the link stays a link.
QString LinkTarget(const QString& fileName)
{
    QFileInfo info(fileName);
    for (int depth = 0; depth < 32 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

}  // namespace

WriteFailure SystemFailure(const QString& fileName, int error) { return {fileName, error, SystemText(error)}; }

QString WriteFailure::Message() const
{
    return FileName.isEmpty() ? SystemText : QStringLiteral("Cannot write %1: %2").arg(FileName, SystemText);
}

FileWriteError::FileWriteError(const WriteFailure& failure)
    : std::runtime_error(failure.Message().toStdString()), failure_(failure)
{
}

FileWriteError::FileWriteError(const std::string& message)
    : std::runtime_error(message), failure_{QString(), 0, QString::fromStdString(message)}
{
}

void WriteFileAtomically(const QString& fileName, const std::function<void(QIODevice&)>& write)
{
    const QString target = LinkTarget(fileName);
    const QFileInfo existing(target);
    if (existing.isDir())
        ThrowSystemError(fileName, EISDIR);
    // A new file gets the usual permissions; a replaced one keeps its own.
    struct stat old {};
    const bool replaces = ::stat(QFile::encodeName(target).constData(), &old) == 0;
    NewFile file;
    if (!file.Create(target, replaces ? (old.st_mode & 07777) : 0666, replaces))
        ThrowSystemError(fileName, file.Error());
    try {
        write(file);
    } catch (...) {
        // The file's own failure is the cause of whatever the writer made of it.
        if (file.Error() != 0)
            ThrowSystemError(fileName, file.Error());
        throw;
    }
    if (!file.Finish() || !file.MoveTo(target))
        ThrowSystemError(fileName, file.Error());
}

WriteFailure FailureOf(const std::exception& error, const QString& fileName)
{
    if (const auto* writeError = dynamic_cast<const FileWriteError*>(&error)) {
        WriteFailure failure = writeError->Failure();
        if (failure.FileName.isEmpty())
            failure.FileName = fileName;
        return failure;
    }
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return SystemFailure(fileName, ENOMEM);
    return {fileName, 0, QString::fromUtf8(error.what())};
}

}  // namespace sm
