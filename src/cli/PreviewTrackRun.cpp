#include "cli/PreviewTrackRun.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#include "capture/PictureSettings.h"
#include "capture/ShotSeries.h"
#include "common/SafeFileWrite.h"
#include "imaging/Resize.h"
#include "output/ImageFormats.h"
#include "output/SaveBitmapFile.h"
#include "settings/Texts.h"
#include "sheet/SheetLayout.h"
#include "sheet/SheetTiles.h"

namespace sm {
namespace {

constexpr std::int64_t kUnitsPerMs = 10'000;

void BookFailure(BatchVideoResult& result, const WriteFailure& failure)
{
    if (++result.WriteFailures == 1)
        result.FirstWriteError = failure;
}

// The sprite as a batch sheet of its cells: no gaps, no header, so that the sheet's
// size limit holds for it too. Throws SheetTooLargeError beyond that limit.
void CheckSpriteSize(QSize sprite, QSize picture, const AppSettings& settings)
{
    AppSettings grid = settings;
    grid.ThumbWidth = picture.width();
    grid.ThumbHeight = picture.height();
    grid.ThumbCols = sprite.width() / picture.width();
    grid.ThumbRows = sprite.height() / picture.height();
    grid.ThumbSpace = 0;
    BatchSheetLayout(grid);
}

VideoReport Failed(const BatchVideoResult& video, const QString& reason)
{
    VideoReport report = ReportFromRun(video);
    report.Outcome = VideoOutcome::Failed;
    report.Reason = reason;
    return report;
}

// Fills the sprites in order, writing each one once the pictures have moved past it.
class SpriteWriter {
public:
    SpriteWriter(const PreviewTrackJob& job, const PreviewTrackPlan& plan, BatchVideoResult& result)
        : job_(job), plan_(plan), result_(result), extension_(FileExtensionFor(job.Settings.SaveFormat))
    {
    }

    void Place(const Bitmap& picture, const PreviewCue& cue)
    {
        MoveTo(cue.sprite);
        if (failed_)
            return;
        const QRect& cell = cue.cell;
        if (ResizeBitmapInto(picture, tile_, cell.width(), cell.height(), ResizeStretch, clBlack))
            DrawAt(sprite_, tile_, cell.topLeft());
    }

    // Writes the sprites still to be written; pictures missing from them stay white.
    void Finish() { MoveTo(int(plan_.sprites.size())); }

    bool Failed() const { return failed_; }

private:
    // Writes the current sprite and each one before `index`, then starts `index`.
    void MoveTo(int index)
    {
        for (; current_ < index && !failed_; ++current_) {
            if (current_ >= 0)
                Write();
            if (current_ + 1 < int(plan_.sprites.size())) {
                const QSize size = plan_.sprites[std::size_t(current_ + 1)];
                FillBitmap(sprite_, size.width(), size.height(), clWhite);
            }
        }
    }

    void Write()
    {
        const QString fileName = SpriteFileName(job_.Settings.OutputFolder, job_.Path, current_ + 1, extension_);
        WriteFailure failure;
        if (SaveBitmapFile(sprite_, fileName, job_.Settings, job_.FileEncoders, &failure)) {
            result_.ShotFiles.append(fileName);
        } else {
            BookFailure(result_, failure);
            failed_ = true;
        }
    }

    const PreviewTrackJob& job_;
    const PreviewTrackPlan& plan_;
    BatchVideoResult& result_;
    const QString extension_;
    Bitmap sprite_;
    Bitmap tile_;
    int current_ = -1;
    bool failed_ = false;
};

}  // namespace

VideoReport RunPreviewTrack(const PreviewTrackJob& job)
{
    // The track always starts at 0, whatever start the settings give the shots.
    AppSettings fromStart = job.Settings;
    fromStart.StartTime = QStringLiteral("0:00:00");
    BatchVideoResult result = ProbeBatchVideo(job.Session, fromStart, job.Path);
    if (result.Status != BatchVideoStatus::Done)
        return ReportFromRun(result);
    MediaEngine& engine = job.Session.Engine();
    std::vector<int> shotSprites;  // the sprite of each shot taken
    const auto finished = [&](VideoReport report) {
        for (std::size_t i = 0; i < shotSprites.size(); ++i)
            report.ShotList[i].File = result.ShotFiles.value(shotSprites[i]);
        ReportColors(report, engine.GetVideoColor(), job.Settings.ToneMapping);
        return report;
    };
    // The last cue ends at the length, so a video without one has no track.
    const std::int64_t durationMs = engine.GetStopPosition() / kUnitsPerMs;
    const QSize display(result.Width, result.Height);
    if (durationMs <= 0)
        return finished(Failed(result, lang::kCliUnknownLength));
    if (display.isEmpty())
        return finished(Failed(result, lang::kCliNoPicture));

    const PreviewTrackPlan plan = PlanPreviewTrack(durationMs, display, job.Shape);
    const QString trackFile = PreviewTrackFileName(job.Settings.OutputFolder, job.Path);
    try {
        for (const QSize& sprite : plan.sprites)
            CheckSpriteSize(sprite, plan.picture, job.Settings);
    } catch (const std::exception& error) {
        BookFailure(result, FailureOf(error, trackFile));
        return finished(ReportFromRun(result));
    }
    QFile::remove(trackFile);

    std::vector<int> seconds;
    const int pictureSpan = int(job.Session.SeriesSpan());
    for (const PreviewCue& cue : plan.cues)
        seconds.push_back(std::min(cue.second, pictureSpan));
    result.ShotsPlanned = int(seconds.size());
    if (engine.GetPlayState() == PlayState::Playing)
        engine.Stop();
    if (job.Events.ShotsPlanned)
        job.Events.ShotsPlanned(result.ShotsPlanned);

    SpriteWriter sprites(job, plan, result);
    const ShotSink place = [&](TakenShot&& shot) {
        ++result.ShotsTaken;
        const PreviewCue& cue = plan.cues[std::size_t(shot.Index)];
        const int planned = seconds[std::size_t(shot.Index)];
        if (shot.Later)
            result.MovedShots.push_back({planned, shot.Second});
        result.Shots.push_back({QString(), shot.Label, planned, shot.FrameUnits});
        shotSprites.push_back(cue.sprite);
        sprites.Place(shot.Picture, cue);
    };
    ShotSeriesHooks hooks;
    hooks.StillWanted = [&sprites] { return !sprites.Failed(); };
    hooks.AfterShot = [&job](int index) {
        if (job.Events.ShotDone)
            job.Events.ShotDone(index + 1);
        job.Host.ProcessMessages();
    };
    if (job.Events.ConfirmAbort) {
        hooks.ConfirmStop = [&job] {
            if (job.Events.ConfirmAbort())
                return true;
            job.Control.AbortRequested = false;
            return false;
        };
    }
    const ShotSeriesOutcome outcome
        = job.Taker ? job.Taker(seconds, place, hooks).Outcome
                    : TakeShotSeries(engine, job.Host, job.Control, seconds, job.Settings.CaptureSpeed, place, hooks,
                                     SkipRuleOf(job.Settings))
                          .Outcome;
    if (outcome == ShotSeriesOutcome::Aborted) {
        result.Status = BatchVideoStatus::Aborted;
        return finished(ReportFromRun(result));
    }
    if (result.ShotsTaken == 0)
        return finished(ReportFromRun(result));
    sprites.Finish();
    if (sprites.Failed())
        return finished(ReportFromRun(result));

    // A sprite gone since it was written (its folder removed meanwhile) must not be named.
    for (const QString& fileName : result.ShotFiles)
        if (!QFileInfo(fileName).isFile()) {
            BookFailure(result, SystemFailure(fileName, ENOENT));
            return finished(ReportFromRun(result));
        }
    QStringList spriteNames;
    for (const QString& fileName : result.ShotFiles)
        spriteNames << QFileInfo(fileName).fileName();
    try {
        const QByteArray text = VttText(plan, spriteNames);
        WriteFileAtomically(trackFile, [&text](QIODevice& out) { out.write(text); });
        result.SheetFile = trackFile;
    } catch (const std::exception& error) {
        BookFailure(result, FailureOf(error, trackFile));
    }
    return finished(ReportFromRun(result));
}

}  // namespace sm
