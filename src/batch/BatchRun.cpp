#include "batch/BatchRun.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "capture/BitmapList.h"
#include "capture/CaptureSchedule.h"
#include "capture/PictureSettings.h"
#include "capture/ShotFiles.h"
#include "imaging/Resize.h"
#include "imaging/TimeLabel.h"
#include "output/ImageFormats.h"
#include "settings/StartTimeText.h"
#include "settings/Texts.h"
#include "sheet/InfoBlock.h"
#include "sheet/SheetComposition.h"

namespace sm {

namespace {

CaptureMethod MethodOf(const AppSettings& settings)
{
    return settings.CaptureMethod == 1 ? CaptureMethod::EveryNSeconds : CaptureMethod::CountOfShots;
}

void BookFailure(BatchVideoResult& result, const WriteFailure& failure)
{
    if (++result.WriteFailures == 1)
        result.FirstWriteError = failure;
}

bool WriteBatchFile(Bitmap& picture, const QString& fileName, const QString& label, const AppSettings& settings,
                    Encoders& encoders, BatchVideoResult& result)
{
    WriteFailure failure;
    if (SaveShotFile(picture, fileName, label, settings, encoders, &failure))
        return true;
    BookFailure(result, failure);
    return false;
}

// Only files that are really there count as written: one removed since (its folder
// deleted during the run) is a failure.
void ForgetVanishedFiles(BatchVideoResult& result)
{
    const auto vanished = [&result](const QString& fileName) {
        if (QFileInfo(fileName).isFile())
            return false;
        BookFailure(result, SystemFailure(fileName, ENOENT));
        return true;
    };
    result.ShotFiles.removeIf(vanished);
    for (BatchShot& shot : result.Shots)
        if (!shot.File.isEmpty() && !result.ShotFiles.contains(shot.File))
            shot.File.clear();
    if (!result.SheetFile.isEmpty() && vanished(result.SheetFile))
        result.SheetFile.clear();
}

// A hand-edited settings file may hold a 0 that the run would divide by.
void CheckCaptureValues(const AppSettings& settings)
{
    const bool everyN = MethodOf(settings) == CaptureMethod::EveryNSeconds;
    const int value = everyN ? settings.EveryFrame : settings.CountFrames;
    if (value < 1) {
        const QString key = everyN ? QStringLiteral("EveryFrame") : QStringLiteral("CountFrames");
        throw std::invalid_argument(lang::kBadCaptureSetting.arg(key).arg(value).toStdString());
    }
}

BatchShotTaker SeriesOnEngine(MediaEngine& engine, RunHost& host, const RunControl& control, int captureSpeed,
                              const SkipRule& skip)
{
    return [&engine, &host, &control, captureSpeed, skip](const std::vector<int>& seconds, const ShotSink& sink,
                                                          const ShotSeriesHooks& hooks) {
        return TakeShotSeries(engine, host, control, seconds, captureSpeed, sink, hooks, skip);
    };
}

}  // namespace

void PrepareBatchRun(AppSettings& settings)
{
    PrepareShotOutput(settings);
    CheckCaptureValues(settings);
}

std::int64_t NextTimeOffset(std::int64_t timeOffset, const BatchVideoResult& video, const AppSettings& settings)
{
    return settings.Aggregate && video.Status == BatchVideoStatus::Done ? timeOffset + video.DurationSeconds
                                                                        : timeOffset;
}

BatchVideoResult ProbeBatchVideo(VideoSession& session, const AppSettings& settings, const QString& path)
{
    BatchVideoResult result;
    result.Path = path;
    result.Status = BatchVideoStatus::NotLoaded;
    const LoadedVideo found = session.LoadVideo(path, PictureOptionsOf(settings));
    if (!found.Loaded || !session.Engine().IsActive())
        return result;
    result.Width = found.NativeSize ? found.NativeSize->width() : settings.ShotsWidth;
    result.Height = found.NativeSize ? found.NativeSize->height() : settings.ShotsHeight;
    result.Prefix = ShotPrefixForVideo(path);
    result.DurationSeconds = found.Duration;
    result.Facts = session.Engine().GetMediaFacts();
    result.Status = session.SeriesSpan() < StartTimeSeconds(settings.StartTime) ? BatchVideoStatus::StartAfterEnd
                                                                                : BatchVideoStatus::Done;
    return result;
}

BatchVideoResult RunBatchVideo(const BatchVideoJob& job)
{
    const AppSettings& settings = job.Settings;
    const BatchRunEvents& events = job.Events;
    BatchVideoResult result = ProbeBatchVideo(job.Session, settings, job.Path);
    if (result.Status == BatchVideoStatus::StartAfterEnd && events.Status)
        events.Status(lang::kStartAfterDuration, true);
    if (result.Status != BatchVideoStatus::Done)
        return result;

    const int start = StartTimeSeconds(settings.StartTime);
    const std::int64_t span = job.Session.SeriesSpan();
    const std::vector<int> seconds
        = CaptureSeconds(MethodOf(settings), settings.CountFrames, settings.EveryFrame, start, int(span));
    result.ShotsPlanned = int(seconds.size());
    MediaEngine& engine = job.Session.Engine();
    if (engine.GetPlayState() == PlayState::Playing)
        engine.Stop();
    if (events.ShotsPlanned)
        events.ShotsPlanned(result.ShotsPlanned);

    const QString& folder = settings.OutputFolder;
    const QString& prefix = result.Prefix;
    const QString extension = FileExtensionFor(settings.SaveFormat);
    TBitmapList sheetShots;
    const ShotSink keep = [&](TakenShot&& shot) {
        ++result.ShotsTaken;
        const QString label = FormatTimeLabel(std::int32_t(shot.Second + job.TimeOffset));
        const bool listed = shot.Index >= 0 && shot.Index < int(seconds.size());
        if (shot.Later && listed)
            result.MovedShots.push_back({seconds[std::size_t(shot.Index)], shot.Second});
        result.Shots.push_back(
            {QString(), label, listed ? seconds[std::size_t(shot.Index)] : shot.Second, shot.FrameUnits});
        if (settings.Add2List && events.AddToList)
            events.AddToList(shot.Picture, label);
        if (!job.Choices.SaveDirectly)
            return;
        if (settings.NeedResize)
            ResizeBitmap(shot.Picture, settings.ThumbWidth, settings.ThumbHeight, ResizeStretch, settings.FillColor);
        // The sheet labels its tiles itself, so its copy is taken before saving stamps.
        sheetShots.Add(shot.Picture, shot.Second);
        if (!job.Choices.WriteShots)
            return;
        const QString fileName = ShotFileName(folder, prefix, shot.Index + 1, extension);
        if (WriteBatchFile(shot.Picture, fileName, label, settings, job.FileEncoders, result)) {
            result.ShotFiles.append(fileName);
            result.Shots.back().File = fileName;
        }
    };
    ShotSeriesHooks hooks;
    hooks.AfterShot = [&events, &job](int index) {
        if (events.ShotDone)
            events.ShotDone(index + 1);
        job.Host.ProcessMessages();
    };
    if (events.ConfirmAbort) {
        hooks.ConfirmStop = [&events, &job] {
            if (events.ConfirmAbort())
                return true;
            job.Control.AbortRequested = false;
            return false;
        };
    }
    const BatchShotTaker& takeShots
        = job.Taker ? job.Taker
                    : SeriesOnEngine(engine, job.Host, job.Control, settings.CaptureSpeed, SkipRuleOf(settings));
    const bool aborted = takeShots(seconds, keep, hooks).Outcome == ShotSeriesOutcome::Aborted;
    result.Status = aborted ? BatchVideoStatus::Aborted : BatchVideoStatus::Done;
    if (!aborted && job.Choices.Thumbnails && sheetShots.Count() > 0) {
        const QString fileName = SheetFileName(folder, prefix, extension);
        try {
            Bitmap sheet;
            if (job.Choices.InfoBlock) {
                const VideoFacts video{job.Path, result.DurationSeconds, engine.ListFilterNames(), result.Facts};
                ComposeBatchSheet(sheet, sheetShots, settings,
                                  CommandLineInfoTexts(job.Choices.InfoLines, video, settings));
            } else {
                ComposeBatchSheet(sheet, sheetShots, settings);
            }
            if (WriteBatchFile(sheet, fileName, QString(), settings, job.FileEncoders, result))
                result.SheetFile = fileName;
        } catch (const std::exception& e) {
            // A sheet too large to compose is a sheet not written; the run goes on.
            BookFailure(result, FailureOf(e, fileName));
        }
    }
    ForgetVanishedFiles(result);
    return result;
}

BatchRunResult RunBatch(VideoSession& session, RunHost& host, RunControl& control, AppSettings& settings,
                        Encoders& encoders, QString& prefix, const std::vector<BatchItem>& items,
                        const BatchChoices& choices, const BatchRunEvents& events, const BatchShotTaker& taker)
{
    BatchRunResult run;
    if (items.empty())
        return run;
    // The window disables its process button while a run goes on, so a second one
    // cannot come in; should one, it does nothing.
    RunScope scope(control);
    if (!scope.Entered())
        return run;
    control.AbortRequested = false;
    if (events.Status)
        events.Status(lang::kBatchProcessing, false);
    if (!QFileInfo(settings.OutputFolder).isDir()) {
        run.Outcome = BatchRunOutcome::NoOutputFolder;
        if (events.Status)
            events.Status(lang::kOutputFolderMissing, false);
        return run;
    }
    PrepareBatchRun(settings);
    if (events.RunStarted)
        events.RunStarted(int(items.size()));
    session.VideoDuration = 0;

    std::int64_t timeOffset = 0;
    for (int i = 0; i < int(items.size()); ++i) {
        const BatchItem& item = items[std::size_t(i)];
        if (!item.Ticked) {
            BatchVideoResult skipped;
            skipped.Path = item.Path;
            run.Videos.push_back(skipped);
            continue;
        }
        if (events.VideoStarted)
            events.VideoStarted(i, item.Path);
        run.Videos.push_back(RunBatchVideo({.Path = item.Path,
                                            .TimeOffset = timeOffset,
                                            .Session = session,
                                            .Host = host,
                                            .Control = control,
                                            .Settings = settings,
                                            .FileEncoders = encoders,
                                            .Choices = choices,
                                            .Events = events,
                                            .Taker = taker}));
        const BatchVideoResult& video = run.Videos.back();
        if (video.Status != BatchVideoStatus::NotLoaded) {
            settings.ShotsWidth = video.Width;
            settings.ShotsHeight = video.Height;
            prefix = video.Prefix;
        }
        run.SavedCount += int(video.ShotFiles.size());
        if (video.WriteFailures > 0 && run.WriteFailures == 0)
            run.FirstWriteError = video.FirstWriteError;
        run.WriteFailures += video.WriteFailures;
        if (video.Status == BatchVideoStatus::Aborted) {
            run.Outcome = BatchRunOutcome::Aborted;
            return run;
        }
        timeOffset = NextTimeOffset(timeOffset, video, settings);
        if (video.Status != BatchVideoStatus::Done)
            continue;
        if (events.VideoDone)
            events.VideoDone(i);
        // The pause keeps its length, but the window answers meanwhile.
        host.Wait(std::max(settings.CaptureSpeed, 0) * 1000);
        host.ProcessMessages();
    }
    run.Outcome = BatchRunOutcome::Completed;
    if (events.Status)
        events.Status(lang::kBatchFinished, false);
    return run;
}

}  // namespace sm
