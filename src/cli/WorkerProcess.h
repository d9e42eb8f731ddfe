#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <sys/types.h>

namespace sm {

// What a worker process tells the process that started it.
struct WorkerMessage {
    enum class Kind : std::uint8_t { Planned = 1, ShotDone = 2, Finished = 3 };
    Kind kind = Kind::Planned;
    int value = 0;  // the shots planned or done; Finished: 1 when the video counts as done
    // Finished: the video's result line and the label offset of the next video.
    QString line;
    std::int64_t timeOffset = 0;
};

// The worker's end of the pipe to its parent. Each message goes out whole; a parent that
// is gone ends the worker (it dies with its parent anyway).
class WorkerChannel {
public:
    explicit WorkerChannel(int fd) : fd_(fd) {}
    void Send(const WorkerMessage& message);

private:
    int fd_;
};

// A child process forked from this one, which must have no other thread then: the child
// starts as a copy of it, settings, inputs and libraries readied, so that a video costs
// no start of the program. The child dies with its parent. Its body runs, and the child
// ends with _exit(0) once it returns: nothing of the parent's state (buffered output,
// the exit handlers) is run twice.
class WorkerProcess {
public:
    // Forks and runs `body` in the child, with its channel and with the descriptors of
    // `closeInChild` (the pipes of the other workers) closed there; returns the parent's
    // end, or nothing when no process can be made. An exception out of `body` aborts the
    // child, as an uncaught one would end a program.
    static std::optional<WorkerProcess> Start(const std::function<void(WorkerChannel&)>& body,
                                              const std::vector<int>& closeInChild);

    WorkerProcess(WorkerProcess&& other) noexcept;
    WorkerProcess& operator=(WorkerProcess&&) = delete;
    WorkerProcess(const WorkerProcess&) = delete;
    WorkerProcess& operator=(const WorkerProcess&) = delete;
    // Kills a child still running and reaps it.
    ~WorkerProcess();

    pid_t Pid() const { return pid_; }
    int Fd() const { return fd_; }

    // Reads what the pipe holds without blocking and appends the whole messages to
    // `messages`; false once the child has closed it (it has ended).
    bool Read(std::vector<WorkerMessage>& messages);
    void Signal(int signal) const;
    // Waits for the child that has closed its pipe; its wait status.
    int Reap();

private:
    WorkerProcess(pid_t pid, int fd) : pid_(pid), fd_(fd) {}

    pid_t pid_ = -1;
    int fd_ = -1;
    QByteArray pending_;
};

}  // namespace sm
