#include "cli/ParallelRun.h"

#include <QThread>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <set>

#include "capture/ShotFiles.h"
#include "settings/Texts.h"

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

// One worker on its own thread: takes videos until none is left.
void RunWorker(SharedRun& shared, const ParallelRunSetup& setup)
{
    VideoWorker worker(setup);
    while (const std::optional<int> index = shared.Take()) {
        shared.Post({RunEvent::Started, *index});
        VideoRunEvents events;
        events.Planned = [&shared, index](int count) { shared.Post({RunEvent::Planned, *index, count}); };
        events.ShotDone = [&shared, index](int done) { shared.Post({RunEvent::ShotDone, *index, done}); };
        events.StopRequested = [&shared] { return shared.Stopped(); };
        shared.Post({RunEvent::Finished, *index, 0, worker.Run(shared.Paths()[*index], events)});
    }
}

}  // namespace

std::vector<VideoReport> RunVideos(const QStringList& paths, const ParallelRunSetup& setup,
                                   const std::atomic<bool>& stop, const RunListener& listener)
{
    SharedRun shared(paths, stop);
    const int workers = std::max(1, std::min<int>(setup.Settings.Aggregate ? 1 : setup.Jobs, int(paths.size())));
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < workers; ++i) {
        threads.emplace_back(QThread::create([&shared, &setup] {
            RunWorker(shared, setup);
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
