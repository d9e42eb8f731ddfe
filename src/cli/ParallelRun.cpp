#include "cli/ParallelRun.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <set>

#include "capture/HeadlessRunHost.h"
#include "capture/PictureSettings.h"
#include "capture/ShotFiles.h"
#include "cli/KeyFrameShotTaker.h"
#include "output/Encoders.h"
#include "output/ImageFormats.h"
#include "settings/Texts.h"
#include "video/FfmpegEngine.h"
#include "video/VideoSession.h"

namespace sm {
namespace {

struct RunEvent {
    enum Kind { Started, Planned, ShotDone, Finished };
    RunEvent(Kind kind, int index, int value = 0, VideoReport report = {})
        : kind(kind), index(index), value(value), report(std::move(report))
    {
    }
    Kind kind;
    int index;
    int value;
    VideoReport report;
};

// What the workers share with the thread that started them; everything behind `mutex`.
class SharedRun {
public:
    SharedRun(const QStringList& paths, const std::atomic<bool>& stop) : paths_(paths), stop_(stop)
    {
        for (const QString& path : paths)
            prefixes_ << ShotPrefixForVideo(path);
    }

    // The next video to run, once no video of the same prefix runs; none when all are
    // taken or the run is stopped.
    std::optional<int> Take()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return stop_ || next_ >= paths_.size() || !running_.contains(prefixes_[next_]); });
        if (stop_ || next_ >= paths_.size())
            return std::nullopt;
        running_.insert(prefixes_[next_]);
        return int(next_++);
    }

    void Post(RunEvent event)
    {
        std::lock_guard lock(mutex_);
        if (event.kind == RunEvent::Finished)
            running_.erase(running_.find(prefixes_[event.index]));
        events_.push_back(std::move(event));
        changed_.notify_all();
    }

    void WorkerEnded()
    {
        std::lock_guard lock(mutex_);
        ++endedWorkers_;
        changed_.notify_all();
    }

    // Waits a little for events; returns them, and whether every worker has ended.
    std::deque<RunEvent> Wait(int workers, bool& allEnded)
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::milliseconds(100),
                          [&] { return !events_.empty() || endedWorkers_ == workers; });
        // A stop request must wake workers that wait for a prefix.
        if (stop_)
            changed_.notify_all();
        allEnded = endedWorkers_ == workers;
        std::deque<RunEvent> taken;
        taken.swap(events_);
        return taken;
    }

    const QStringList& Paths() const { return paths_; }
    bool Stopped() const { return stop_; }

private:
    const QStringList paths_;
    QStringList prefixes_;
    const std::atomic<bool>& stop_;
    std::mutex mutex_;
    std::condition_variable changed_;
    qsizetype next_ = 0;
    std::multiset<QString> running_;
    std::deque<RunEvent> events_;
    int endedWorkers_ = 0;
};

// One worker: its own engine, session, host and encoders, on its own thread.
class Worker {
public:
    Worker(SharedRun& shared, const ParallelRunSetup& setup) : shared_(shared), setup_(setup), session_(engine_)
    {
        engine_.SetMuted(true);
        engine_.SetPicturesWatched(false);  // there is no window: only seek frames are taken
        // Events of a released graph are dropped by the engine; no need to wait for them.
        session_.SetWait([](int) { QCoreApplication::processEvents(); });
        control_.AbortRequested = false;
        control_.Running = true;
    }

    void Run()
    {
        while (const std::optional<int> index = shared_.Take())
            shared_.Post({RunEvent::Finished, *index, 0, RunOne(*index)});
    }

private:
    VideoReport RunOne(int index)
    {
        const QString& path = shared_.Paths()[index];
        shared_.Post({RunEvent::Started, index});
        if (setup_.SkipExisting) {
            const QString marker = ExistingOutputMarker(path, setup_.Settings, setup_.Choices);
            if (QFileInfo::exists(marker)) {
                AddSkippedDuration(path);
                return NotRunReport(VideoOutcome::Skipped, lang::kCliExists.arg(QFileInfo(marker).fileName()), path);
            }
        }
        BatchRunEvents events;
        events.ShotsPlanned = [this, index](int count) { shared_.Post({RunEvent::Planned, index, count}); };
        events.ShotDone = [this, index](int done) {
            shared_.Post({RunEvent::ShotDone, index, done});
            FollowStop();
        };
        events.ConfirmAbort = [] { return true; };
        try {
            const BatchVideoResult result = RunBatchVideo(
                {.Path = path,
                 .TimeOffset = timeOffset_,
                 .Session = session_,
                 .Host = host_,
                 .Control = control_,
                 .Settings = setup_.Settings,
                 .FileEncoders = encoders_,
                 .Choices = setup_.Choices,
                 .Events = events,
                 .Taker = setup_.KeyFrames ? KeyFrameShotTaker(path, control_, PictureOptionsOf(setup_.Settings))
                                           : BatchShotTaker()});
            timeOffset_ = NextTimeOffset(timeOffset_, result, setup_.Settings);
            VideoReport report = ReportFromRun(result);
            if (result.Status != BatchVideoStatus::NotLoaded)
                ReportColors(report, engine_.GetVideoColor(), setup_.Settings.ToneMapping);
            return report;
        } catch (const std::exception& error) {
            return NotRunReport(VideoOutcome::Failed, QString::fromLocal8Bit(error.what()), path);
        }
    }

    // The stop request reaches the run through its own control, on this thread.
    void FollowStop()
    {
        if (shared_.Stopped())
            control_.AbortRequested = true;
    }

    // A video left out because its files are there from an earlier run still moves the
    // labels of the ones after it on, as that run did.
    void AddSkippedDuration(const QString& path)
    {
        if (setup_.Settings.Aggregate)
            timeOffset_
                = NextTimeOffset(timeOffset_, ProbeBatchVideo(session_, setup_.Settings, path), setup_.Settings);
    }

    SharedRun& shared_;
    const ParallelRunSetup& setup_;
    FfmpegEngine engine_;
    VideoSession session_;
    HeadlessRunHost host_;
    Encoders encoders_;
    RunControl control_;
    std::int64_t timeOffset_ = 0;
};

}  // namespace

QString ExistingOutputMarker(const QString& path, const AppSettings& settings, const BatchChoices& choices)
{
    const QString prefix = ShotPrefixForVideo(path);
    const QString extension = FileExtensionFor(settings.SaveFormat);
    return choices.Thumbnails ? SheetFileName(settings.OutputFolder, prefix, extension)
                              : ShotFileName(settings.OutputFolder, prefix, 1, extension);
}

std::vector<VideoReport> RunVideos(const QStringList& paths, const ParallelRunSetup& setup,
                                   const std::atomic<bool>& stop, const RunListener& listener)
{
    SharedRun shared(paths, stop);
    const int workers = std::max(1, std::min<int>(setup.Settings.Aggregate ? 1 : setup.Jobs, int(paths.size())));
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < workers; ++i) {
        threads.emplace_back(QThread::create([&shared, &setup] {
            {
                Worker worker(shared, setup);
                worker.Run();
            }
            shared.WorkerEnded();
        }));
        threads.back()->start();
    }

    std::vector<std::optional<VideoReport>> reports(std::size_t(paths.size()));
    std::size_t told = 0;
    const auto tellInOrder = [&] {
        for (; told < reports.size() && reports[told]; ++told)
            if (listener.Finished)
                listener.Finished(int(told), *reports[told]);
    };
    for (bool allEnded = false; !allEnded;) {
        for (RunEvent& event : shared.Wait(workers, allEnded)) {
            switch (event.kind) {
            case RunEvent::Started:
                if (listener.Started)
                    listener.Started(event.index);
                break;
            case RunEvent::Planned:
                if (listener.Planned)
                    listener.Planned(event.index, event.value);
                break;
            case RunEvent::ShotDone:
                if (listener.ShotDone)
                    listener.ShotDone(event.index, event.value);
                break;
            case RunEvent::Finished:
                reports[std::size_t(event.index)] = std::move(event.report);
                tellInOrder();
                break;
            }
        }
    }
    for (const std::unique_ptr<QThread>& thread : threads)
        thread->wait();

    for (std::size_t i = 0; i < reports.size(); ++i)
        if (!reports[i])
            reports[i] = NotRunReport(VideoOutcome::Skipped, lang::kCliInterrupted, paths[qsizetype(i)]);
    tellInOrder();
    std::vector<VideoReport> ordered;
    for (std::optional<VideoReport>& report : reports)
        ordered.push_back(std::move(*report));
    return ordered;
}

}  // namespace sm
