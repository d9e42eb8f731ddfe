#pragma once

#include <csignal>

#include <sys/resource.h>

namespace sm::test {

// From now on no file of this process grows beyond `bytes`, as on a disk that fills up:
// the write that would go beyond fails (EFBIG) instead of ending the process. For the
// child of a QProcess, through its child process modifier.
inline void LimitFileSize(rlim_t bytes)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, nullptr);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

// The same for the life of the object, in a test's own process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        LimitFileSize(bytes);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        struct sigaction standard {};
        standard.sa_handler = SIG_DFL;
        sigaction(SIGXFSZ, &standard, nullptr);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
};

}  // namespace sm::test
