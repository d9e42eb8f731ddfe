#include "cli/ParallelRun.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <thread>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "capture/ShotFiles.h"
#include "cli/WorkerProcess.h"
#include "common/Bitmap.h"
#include "imaging/TextStamp.h"
#include "settings/Texts.h"

namespace sm {
namespace {

using Clock = std::chrono::steady_clock;

// How often the parent looks at the stop request and the watchdog when no worker speaks.
constexpr int kPollMs = 100;

// A worker's own stop request: the parent passes its stop on as SIGTERM.
std::atomic<bool> workerStopRequested{false};

void RequestWorkerStop(int) { workerStopRequested = true; }

// The suite's way to make a worker fail as a broken library would, after the first
// shot of one video: STILLMARK_WORKER_FAULT=crash:NAME aborts, hang:NAME waits forever
// (NAME is the video's file name). Read in the worker alone, never by the parent.
void SimulateFault(const QString& path)
{
    const QString fault = qEnvironmentVariable("STILLMARK_WORKER_FAULT");
    const qsizetype colon = fault.indexOf(u':');
    if (colon < 0 || fault.mid(colon + 1) != QFileInfo(path).fileName())
        return;
    if (fault.left(colon) == QLatin1String("crash"))
        std::abort();
    if (fault.left(colon) == QLatin1String("hang"))
        for (;;)
            ::pause();
}

// The body of a worker process: one video, its progress and its report to the parent.
void RunInWorker(WorkerChannel& channel, const QString& path, std::int64_t timeOffset, int processors,
                 const ParallelRunSetup& setup, const std::atomic<bool>& stop, const RunListener& listener)
{
    struct sigaction action {};
    action.sa_handler = RequestWorkerStop;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    sigset_t terminate;
    sigemptyset(&terminate);
    sigaddset(&terminate, SIGTERM);
    ::sigprocmask(SIG_UNBLOCK, &terminate, nullptr);

    VideoWorker worker(setup);
    worker.SetTimeOffset(timeOffset);
    worker.SetProcessors(processors);
    VideoRunEvents events;
    const auto progress = [&channel](WorkerMessage::Kind kind, int value) {
        WorkerMessage message;
        message.kind = kind;
        message.value = value;
        channel.Send(message);
    };
    events.Planned = [&progress](int count) { progress(WorkerMessage::Kind::Planned, count); };
    events.ShotDone = [&progress, &path](int done) {
        progress(WorkerMessage::Kind::ShotDone, done);
        if (done == 1)
            SimulateFault(path);
    };
    events.StopRequested = [&stop] { return stop || workerStopRequested; };
    const VideoReport report = worker.Run(path, events);
    WorkerMessage finished;
    finished.kind = WorkerMessage::Kind::Finished;
    finished.value = CountsAsDone(report) ? 1 : 0;
    finished.line = listener.Line ? listener.Line(report) : TextLine(report);
    finished.timeOffset = worker.TimeOffset();
    channel.Send(finished);
    // Every file is written and closed: the engine's teardown would only cost time.
    _exit(0);
}

// Reads what every worker would otherwise read afresh (the font configuration, the faces
// of the time stamps and of the information lines), once, for all of them to share.
void ReadyTheFonts(const AppSettings& settings)
{
    try {
        Bitmap scratch(64, 32);
        // Every character a time label has, so that their glyphs are drawn once too.
        StampText(scratch, QStringLiteral("0123456789:"), settings.TimeFont, 1, 0, 0, 0, 100, true);
        StampText(scratch, QStringLiteral("0"), settings.AddonFont, 1, 0, 0, 0, 100, false);
    } catch (const std::exception&) {
        // The workers meet the same error where it counts, in their own stamps.
    }
}

// A video's worker while it runs.
struct Running {
    WorkerProcess process;
    Clock::time_point lastProgress;
    bool timedOut = false;
    std::optional<WorkerMessage> finished;
};

// Forks a worker for the video. SIGTERM is held back until the worker has its own
// handler, so a stop passed on at once is not taken for the parent's.
std::optional<WorkerProcess> StartWorker(const std::function<void(WorkerChannel&)>& body,
                                         const std::map<int, Running>& running)
{
    std::vector<int> others;
    for (const auto& [index, worker] : running)
        others.push_back(worker.process.Fd());
    sigset_t terminate, old;
    sigemptyset(&terminate);
    sigaddset(&terminate, SIGTERM);
    ::sigprocmask(SIG_BLOCK, &terminate, &old);
    std::optional<WorkerProcess> process = WorkerProcess::Start(body, others);
    ::sigprocmask(SIG_SETMASK, &old, nullptr);
    return process;
}

// Takes what the worker has sent, tells its progress and keeps its report; false once
// the worker has ended.
bool HearWorker(int index, Running& worker, Clock::time_point now, const RunListener& listener)
{
    std::vector<WorkerMessage> messages;
    const bool open = worker.process.Read(messages);
    for (WorkerMessage& message : messages) {
        switch (message.kind) {
        case WorkerMessage::Kind::Planned:
            worker.lastProgress = now;
            if (listener.Planned)
                listener.Planned(index, message.value);
            break;
        case WorkerMessage::Kind::ShotDone:
            worker.lastProgress = now;
            if (listener.ShotDone)
                listener.ShotDone(index, message.value);
            break;
        case WorkerMessage::Kind::Finished:
            worker.finished = std::move(message);
            break;
        }
    }
    return open;
}

QString FailureOfEndedWorker(int status, bool timedOut, int timeoutSeconds)
{
    if (timedOut)
        return lang::kCliTimedOut.arg(timeoutSeconds);
    if (WIFSIGNALED(status))
        return lang::kCliCrashed.arg(WTERMSIG(status));
    return lang::kCliCrashedWithStatus.arg(WEXITSTATUS(status));
}

}  // namespace

int RunVideos(const QStringList& paths, const ParallelRunSetup& setup, const std::atomic<bool>& stop,
              const RunListener& listener)
{
    const std::size_t count = std::size_t(paths.size());
    QStringList prefixes;
    for (const QString& path : paths)
        prefixes << ShotPrefixForVideo(path);
    const auto lineOf
        = [&listener](const VideoReport& report) { return listener.Line ? listener.Line(report) : TextLine(report); };

    // Whether each video counts as done, judged where its whole report is, and its line.
    std::vector<std::optional<bool>> done(count);
    std::vector<QString> lines(count);
    std::size_t told = 0;
    const auto finish = [&](int index, bool videoDone, QString line) {
        done[std::size_t(index)] = videoDone;
        lines[std::size_t(index)] = std::move(line);
        for (; told < count && done[told]; ++told)
            if (listener.Finished)
                listener.Finished(int(told), lines[told]);
    };
    const auto finishHere
        = [&](int index, const VideoReport& report) { finish(index, CountsAsDone(report), lineOf(report)); };

    const std::size_t jobs = std::size_t(std::max(1, setup.Settings.Aggregate ? 1 : setup.Jobs));
    const auto timeout = std::chrono::seconds(setup.TimeoutSeconds);
    // Workers until they have ended; those whose report is in no longer count as running.
    std::map<int, Running> running;
    std::size_t busy = 0;
    std::multiset<QString> runningPrefixes;
    std::size_t next = 0;
    std::int64_t timeOffset = 0;
    bool stopPassedOn = false;
    ReadyTheFonts(setup.Settings);
    for (;;) {
        // Videos start in input order; one whose prefix is running holds back the rest.
        while (!stop && busy < jobs && next < count && !runningPrefixes.contains(prefixes[qsizetype(next)])) {
            const int index = int(next++);
            const QString& path = paths[index];
            // The processors are shared out among the videos that run together; the last
            // ones, which have fewer beside them, get more.
            const int processors = std::max(1, int(std::thread::hardware_concurrency())
                                                   / int(std::min(jobs, count - std::size_t(index))));
            std::optional<WorkerProcess> process = StartWorker(
                [&, index, processors](WorkerChannel& channel) {
                    RunInWorker(channel, paths[index], timeOffset, processors, setup, stop, listener);
                },
                running);
            if (!process) {
                finishHere(index,
                           NotRunReport(VideoOutcome::Failed,
                                        lang::kCliNoWorker.arg(QString::fromLocal8Bit(std::strerror(errno))), path));
                continue;
            }
            runningPrefixes.insert(prefixes[index]);
            running.emplace(index, Running{std::move(*process), Clock::now(), false, std::nullopt});
            ++busy;
            if (listener.Started)
                listener.Started(index);
        }
        if (running.empty())
            break;
        if (stop && !stopPassedOn) {
            for (const auto& [index, worker] : running)
                worker.process.Signal(SIGTERM);
            stopPassedOn = true;
        }

        std::vector<pollfd> fds;
        for (const auto& [index, worker] : running)
            fds.push_back({worker.process.Fd(), POLLIN, 0});
        ::poll(fds.data(), fds.size(), kPollMs);
        const Clock::time_point now = Clock::now();
        for (auto it = running.begin(); it != running.end();) {
            const int index = it->first;
            Running& worker = it->second;
            const bool reported = worker.finished.has_value();
            const bool open = HearWorker(index, worker, now, listener);
            // A report that came whole stands, whatever becomes of the process after it;
            // its files are written, so the next video starts while the process ends.
            const bool ends = !reported && (worker.finished || !open);
            if (ends && worker.finished) {
                if (setup.Settings.Aggregate)
                    timeOffset = worker.finished->timeOffset;
                finish(index, worker.finished->value != 0, worker.finished->line);
            }
            if (open) {
                if (!worker.finished && timeout.count() > 0 && !worker.timedOut
                    && now - worker.lastProgress >= timeout) {
                    worker.timedOut = true;
                    worker.process.Signal(SIGKILL);
                }
            } else {
                const int status = worker.process.Reap();
                if (ends && !worker.finished)
                    finishHere(index, NotRunReport(VideoOutcome::Failed,
                                                   FailureOfEndedWorker(status, worker.timedOut, setup.TimeoutSeconds),
                                                   paths[index]));
            }
            if (ends) {
                runningPrefixes.erase(runningPrefixes.find(prefixes[index]));
                --busy;
            }
            it = open ? std::next(it) : running.erase(it);
        }
    }

    for (std::size_t i = 0; i < count; ++i)
        if (!done[i])
            finishHere(int(i), NotRunReport(VideoOutcome::Skipped, lang::kCliInterrupted, paths[qsizetype(i)]));
    return RunExitCode(std::all_of(done.cbegin(), done.cend(), [](const std::optional<bool>& d) { return *d; }), stop);
}

}  // namespace sm
