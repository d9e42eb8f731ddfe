#include "cli/VideoWorker.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "capture/PictureSettings.h"
#include "capture/ShotFiles.h"
#include "cli/KeyFrameShotTaker.h"
#include "cli/PreviewTrackRun.h"
#include "output/ImageFormats.h"
#include "settings/Texts.h"

namespace sm {

QString ExistingOutputMarker(const QString& path, const AppSettings& settings, const BatchChoices& choices)
{
    const QString prefix = ShotPrefixForVideo(path);
    const QString extension = FileExtensionFor(settings.SaveFormat);
    return choices.Thumbnails ? SheetFileName(settings.OutputFolder, prefix, extension)
                              : ShotFileName(settings.OutputFolder, prefix, 1, extension);
}

VideoWorker::VideoWorker(const ParallelRunSetup& setup) : setup_(setup), session_(engine_)
{
    engine_.SetMuted(true);
    engine_.SetPicturesWatched(false);  // there is no window: only seek frames are taken
    // Events of a released graph are dropped by the engine; no need to wait for them.
    session_.SetWait([](int) { QCoreApplication::processEvents(); });
    control_.AbortRequested = false;
    control_.Running = true;
}

VideoReport VideoWorker::Run(const QString& path, const VideoRunEvents& events)
{
    if (setup_.SkipExisting) {
        // A preview track's file is written last, so it marks a video done.
        const QString marker = setup_.PreviewTrack ? PreviewTrackFileName(setup_.Settings.OutputFolder, path)
                                                   : ExistingOutputMarker(path, setup_.Settings, setup_.Choices);
        if (QFileInfo::exists(marker)) {
            AddSkippedDuration(path);
            VideoReport report
                = NotRunReport(VideoOutcome::Skipped, lang::kCliExists.arg(QFileInfo(marker).fileName()), path);
            report.OutputThere = true;
            return report;
        }
    }
    BatchRunEvents batchEvents;
    batchEvents.ShotsPlanned = [&events](int count) {
        if (events.Planned)
            events.Planned(count);
    };
    batchEvents.ShotDone = [this, &events](int done) {
        if (events.ShotDone)
            events.ShotDone(done);
        // The stop request reaches the run through its own control, on this thread.
        if (events.StopRequested && events.StopRequested())
            control_.AbortRequested = true;
    };
    batchEvents.ConfirmAbort = [] { return true; };
    try {
        if (setup_.PreviewTrack)
            return RunPreviewTrack({.Path = path,
                                    .Session = session_,
                                    .Host = host_,
                                    .Control = control_,
                                    .Settings = setup_.Settings,
                                    .FileEncoders = encoders_,
                                    .Shape = *setup_.PreviewTrack,
                                    .Events = batchEvents,
                                    .Taker = setup_.KeyFrames
                                                 ? KeyFrameShotTaker(path, control_, PictureOptionsOf(setup_.Settings),
                                                                     SkipRuleOf(setup_.Settings))
                                                 : BatchShotTaker()});
        const BatchVideoResult result = RunBatchVideo(
            {.Path = path,
             .TimeOffset = timeOffset_,
             .Session = session_,
             .Host = host_,
             .Control = control_,
             .Settings = setup_.Settings,
             .FileEncoders = encoders_,
             .Choices = setup_.Choices,
             .Events = batchEvents,
             .Taker = setup_.KeyFrames ? KeyFrameShotTaker(path, control_, PictureOptionsOf(setup_.Settings),
                                                           SkipRuleOf(setup_.Settings))
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

// A video left out because its files are there from an earlier run still moves the
// labels of the ones after it on, as that run did.
void VideoWorker::AddSkippedDuration(const QString& path)
{
    if (setup_.Settings.Aggregate)
        timeOffset_ = NextTimeOffset(timeOffset_, ProbeBatchVideo(session_, setup_.Settings, path), setup_.Settings);
}

}  // namespace sm
