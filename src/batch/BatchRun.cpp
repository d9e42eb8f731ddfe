#include "batch/BatchRun.h"

#include <QFileInfo>

#include <algorithm>
#include <stdexcept>

#include "capture/BitmapList.h"
#include "capture/CaptureSchedule.h"
#include "capture/ShotFiles.h"
#include "common/PathText.h"
#include "imaging/Resize.h"
#include "imaging/TimeLabel.h"
#include "output/ImageFormats.h"
#include "output/SaveBitmapFile.h"
#include "settings/StartTimeText.h"
#include "settings/Texts.h"
#include "sheet/SheetComposition.h"

namespace sm {

namespace {

CaptureMethod MethodOf(const AppSettings& settings)
{
    return settings.CaptureMethod == 1 ? CaptureMethod::EveryNSeconds : CaptureMethod::CountOfShots;
}

// Writes one file of a video and books the outcome: only a file that is really there
// counts as written.
bool WriteBatchFile(Bitmap& picture, const QString& fileName, const QString& label, const AppSettings& settings,
                    Encoders& encoders, Bitmap& workBitmap, BatchVideoResult& result)
{
    QString error;
    if (SaveBitmapFile(picture, fileName, label, settings, encoders, workBitmap, &error)
        && QFileInfo(fileName).isFile())
        return true;
    if (++result.WriteFailures == 1)
        result.FirstWriteError = error.isEmpty() ? lang::kUnknownError : error;
    return false;
}

BatchShotTaker SeriesOnEngine(MediaEngine& engine, RunHost& host, const RunControl& control, int captureSpeed)
{
    return [&engine, &host, &control, captureSpeed](const std::vector<int>& seconds, const ShotSink& sink,
                                                    const ShotSeriesHooks& hooks) {
        return TakeShotSeries(engine, host, control, seconds, captureSpeed, sink, hooks);
    };
}

}  // namespace

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

BatchVideoResult RunBatchVideo(VideoSession& session, RunHost& host, RunControl& control, const AppSettings& settings,
                               Encoders& encoders, QString& prefix, const QString& path, std::int64_t timeOffset,
                               const BatchChoices& choices, const BatchRunEvents& events, const BatchShotTaker& taker)
{
    CheckCaptureValues(settings);
    BatchVideoResult result;
    result.Path = path;
    result.Status = BatchVideoStatus::NotLoaded;

    // LoadVideo writes the native size; the caller's settings stay as they are.
    AppSettings loaded = settings;
    if (!session.LoadVideo(path, loaded, prefix) || !session.Engine().IsActive())
        return result;
    result.Width = loaded.ShotsWidth;
    result.Height = loaded.ShotsHeight;
    result.DurationSeconds = session.VideoDuration;

    const int start = StartTimeSeconds(settings.StartTime);
    const std::int64_t span = session.SeriesSpan();
    if (span < start) {
        result.Status = BatchVideoStatus::StartAfterEnd;
        if (events.Status)
            events.Status(lang::kStartAfterDuration, true);
        return result;
    }
    const std::vector<int> seconds
        = CaptureSeconds(MethodOf(settings), settings.CountFrames, settings.EveryFrame, start, int(span));
    result.ShotsPlanned = int(seconds.size());
    MediaEngine& engine = session.Engine();
    if (engine.GetPlayState() == PlayState::Playing)
        engine.Stop();
    if (events.ShotsPlanned)
        events.ShotsPlanned(result.ShotsPlanned);

    const QString folder = WithTrailingSeparator(settings.OutputFolder);
    const QString extension = FileExtensionFor(settings.SaveFormat);
    TBitmapList sheetShots;
    Bitmap workBitmap;
    const ShotSink keep = [&](TakenShot&& shot) {
        ++result.ShotsTaken;
        const QString label = FormatTimeLabel(std::int32_t(shot.Second + timeOffset));
        if (settings.Add2List && events.AddToList)
            events.AddToList(shot.Picture, label);
        if (!choices.SaveDirectly)
            return;
        if (settings.NeedResize)
            ResizeBitmap(shot.Picture, settings.ThumbWidth, settings.ThumbHeight, ResizeStretch, settings.FillColor);
        // The sheet labels its tiles itself, so its copy is taken before saving stamps.
        sheetShots.Add(shot.Picture, shot.Second);
        const QString fileName = ShotFileName(folder, prefix, shot.Index + 1, extension);
        if (WriteBatchFile(shot.Picture, fileName, label, settings, encoders, workBitmap, result))
            result.ShotFiles.append(fileName);
    };
    ShotSeriesHooks hooks;
    hooks.AfterShot = [&events, &host](int index) {
        if (events.ShotDone)
            events.ShotDone(index + 1);
        host.ProcessMessages();
    };
    if (events.ConfirmAbort) {
        hooks.ConfirmStop = [&events, &control] {
            if (events.ConfirmAbort())
                return true;
            control.AbortRequested = false;
            return false;
        };
    }
    const BatchShotTaker& takeShots = taker ? taker : SeriesOnEngine(engine, host, control, settings.CaptureSpeed);
    if (takeShots(seconds, keep, hooks).Outcome == ShotSeriesOutcome::Aborted) {
        result.Status = BatchVideoStatus::Aborted;
        return result;
    }

    result.Status = BatchVideoStatus::Done;
    if (choices.Thumbnails && sheetShots.Count() > 0) {
        Bitmap sheet;
        ComposeBatchSheet(sheet, sheetShots, settings);
        const QString fileName = folder + prefix + QStringLiteral("thumb") + extension;
        if (WriteBatchFile(sheet, fileName, QString(), settings, encoders, workBitmap, result))
            result.SheetFile = fileName;
    }
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
    settings.OutputFolder = WithTrailingSeparator(settings.OutputFolder);
    if (settings.SaveFormat >= -5 && settings.SaveFormat <= -1)
        settings.SaveFormat = 0;
    CheckCaptureValues(settings);
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
        run.Videos.push_back(RunBatchVideo(session, host, control, settings, encoders, prefix, item.Path, timeOffset,
                                           choices, events, taker));
        const BatchVideoResult& video = run.Videos.back();
        if (video.Status != BatchVideoStatus::NotLoaded) {
            settings.ShotsWidth = video.Width;
            settings.ShotsHeight = video.Height;
        }
        run.SavedCount += int(video.ShotFiles.size());
        if (video.WriteFailures > 0 && run.WriteFailures == 0)
            run.FirstWriteError = video.FirstWriteError;
        run.WriteFailures += video.WriteFailures;
        if (video.Status == BatchVideoStatus::Aborted) {
            run.Outcome = BatchRunOutcome::Aborted;
            return run;
        }
        if (video.Status != BatchVideoStatus::Done)
            continue;
        if (settings.Aggregate)
            timeOffset += video.DurationSeconds;
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
