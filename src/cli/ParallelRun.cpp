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

#include "app/StartTimeText.h"
#include "app/Texts.h"
#include "capture/HeadlessRunHost.h"
#include "cli/KeyFrameShotTaker.h"
#include "output/Encoders.h"
#include "output/ImageFormats.h"
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
        if (setup_.skipExisting) {
            const QString marker = ExistingOutputMarker(path, setup_.settings, setup_.choices);
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
        const BatchShotTaker taker = setup_.keyFrames
                                         ? KeyFrameShotTaker(path, control_, PictureOptionsOf(setup_.settings))
                                         : BatchShotTaker();
        try {
            const BatchVideoResult result = RunBatchVideo(session_, host_, control_, setup_.settings, encoders_,
                                                          prefix_, path, timeOffset_, setup_.choices, events, taker);
            if (setup_.settings.Aggregate
                && (result.Status == BatchVideoStatus::Done || result.Status == BatchVideoStatus::Aborted))
                timeOffset_ += result.DurationSeconds;
            VideoReport report = ReportFromRun(result);
            if (result.Status != BatchVideoStatus::NotLoaded)
                ReportColors(report, engine_.GetVideoColor(), setup_.settings.ToneMapping);
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

    // A video left out still moves the labels of the ones after it on, as if it had run.
    void AddSkippedDuration(const QString& path)
    {
        if (!setup_.settings.Aggregate)
            return;
        AppSettings probe = setup_.settings;
        QString prefix;
        if (session_.LoadVideo(path, probe, prefix) && session_.SeriesSpan() >= StartTimeSeconds(probe.StartTime))
            timeOffset_ += session_.VideoDuration;
    }

    SharedRun& shared_;
    const ParallelRunSetup& setup_;
    FfmpegEngine engine_;
    VideoSession session_;
    HeadlessRunHost host_;
    Encoders encoders_;
    RunControl control_;
    QString prefix_;
    std::int64_t timeOffset_ = 0;
};

}  // namespace

QString ExistingOutputMarker(const QString& path, const AppSettings& settings, const BatchChoices& choices)
{
    const QString name = choices.Thumbnails ? QStringLiteral("thumb") : QStringLiteral("0001");
    return settings.OutputFolder + ShotPrefixForVideo(path) + name + FileExtensionFor(settings.SaveFormat);
}

std::vector<VideoReport> RunVideos(const QStringList& paths, const ParallelRunSetup& setup,
                                   const std::atomic<bool>& stop, const RunListener& listener)
{
    SharedRun shared(paths, stop);
    const int workers = std::max(1, std::min<int>(setup.settings.Aggregate ? 1 : setup.jobs, int(paths.size())));
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
            if (listener.finished)
                listener.finished(int(told), *reports[told]);
    };
    for (bool allEnded = false; !allEnded;) {
        for (RunEvent& event : shared.Wait(workers, allEnded)) {
            switch (event.kind) {
            case RunEvent::Started:
                if (listener.started)
                    listener.started(event.index);
                break;
            case RunEvent::Planned:
                if (listener.planned)
                    listener.planned(event.index, event.value);
                break;
            case RunEvent::ShotDone:
                if (listener.shotDone)
                    listener.shotDone(event.index, event.value);
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
