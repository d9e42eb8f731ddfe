#include "cli/WorkerProcess.h"

#include <QDataStream>
#include <QIODevice>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sm {
namespace {

// A message on the pipe: its kind (one byte), the length of its body (four bytes) and
// the body.
constexpr qsizetype kHeaderBytes = 5;

QByteArray Encode(const WorkerMessage& message)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out << qint32(message.value);
    if (message.kind == WorkerMessage::Kind::Finished)
        out << message.line << qint64(message.timeOffset);
    QByteArray frame(kHeaderBytes, '\0');
    frame[0] = char(message.kind);
    const quint32 length = quint32(body.size());
    std::memcpy(frame.data() + 1, &length, sizeof length);
    return frame + body;
}

std::optional<WorkerMessage> Decode(WorkerMessage::Kind kind, const QByteArray& body)
{
    WorkerMessage message;
    message.kind = kind;
    QDataStream in(body);
    qint32 value = 0;
    in >> value;
    message.value = value;
    if (kind == WorkerMessage::Kind::Finished) {
        qint64 offset = 0;
        in >> message.line >> offset;
        message.timeOffset = offset;
    }
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return message;
}

}  // namespace

void WorkerChannel::Send(const WorkerMessage& message)
{
    const QByteArray frame = Encode(message);
    for (qsizetype sent = 0; sent < frame.size();) {
        const ssize_t written = ::write(fd_, frame.constData() + sent, std::size_t(frame.size() - sent));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            _exit(1);  // no parent to tell anything to
        sent += written;
    }
}

std::optional<WorkerProcess> WorkerProcess::Start(const std::function<void(WorkerChannel&)>& body,
                                                  const std::vector<int>& closeInChild)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return std::nullopt;
    }
    if (pid == 0) {
        // A parent killed outright takes its children along; one that died before this
        // line leaves nobody to report to.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            _exit(1);
        ::close(fds[0]);
        for (const int fd : closeInChild)
            ::close(fd);
        WorkerChannel channel(fds[1]);
        try {
            body(channel);
        } catch (...) {
            std::abort();
        }
        _exit(0);
    }
    ::close(fds[1]);
    ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    return WorkerProcess(pid, fds[0]);
}

WorkerProcess::WorkerProcess(WorkerProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), fd_(std::exchange(other.fd_, -1)), pending_(std::move(other.pending_))
{
}

WorkerProcess::~WorkerProcess()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        Reap();
    }
    if (fd_ >= 0)
        ::close(fd_);
}

bool WorkerProcess::Read(std::vector<WorkerMessage>& messages)
{
    bool open = true;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got > 0) {
            pending_.append(buffer, got);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        open = got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        // A pipe that fails is a worker that cannot be heard any more: it ends here.
        if (got < 0 && !open)
            Signal(SIGKILL);
        break;
    }
    while (pending_.size() >= kHeaderBytes) {
        quint32 length = 0;
        std::memcpy(&length, pending_.constData() + 1, sizeof length);
        if (pending_.size() - kHeaderBytes < qsizetype(length))
            break;
        const auto kind = WorkerMessage::Kind(pending_[0]);
        if (std::optional<WorkerMessage> message = Decode(kind, pending_.mid(kHeaderBytes, qsizetype(length))))
            messages.push_back(std::move(*message));
        pending_.remove(0, kHeaderBytes + qsizetype(length));
    }
    return open;
}

void WorkerProcess::Signal(int signal) const
{
    if (pid_ > 0)
        ::kill(pid_, signal);
}

int WorkerProcess::Reap()
{
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
    pid_ = -1;
    return status;
}

}  // namespace sm
