#include "capture/ShotFiles.h"

#include <QDir>
#include <QFileInfo>

#include "capture/ShotExpansionAhead.h"
#include "common/PathText.h"
#include "common/ScopeExit.h"
#include "imaging/Resize.h"
#include "imaging/TextStamp.h"
#include "output/ImageFormats.h"
#include "output/SaveBitmapFile.h"
#include "settings/Texts.h"
#include "settings/WriteFailureText.h"

namespace sm {

QString ShotPrefixForVideo(const QString& path) { return BaseNameOf(path) + QLatin1Char('_'); }

QString ShotFileName(const QString& folder, const QString& prefix, int number, const QString& extension)
{
    return folder + prefix + QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0')) + extension;
}

QString SheetFileName(const QString& folder, const QString& prefix, const QString& extension)
{
    return folder + prefix + QStringLiteral("thumb") + extension;
}

void PrepareShotOutput(AppSettings& settings)
{
    settings.OutputFolder = WithTrailingSeparator(settings.OutputFolder);
    if (settings.SaveFormat >= -5 && settings.SaveFormat <= -1)
        settings.SaveFormat = 0;
}

bool SaveShotFile(Bitmap& picture, const QString& fileName, const QString& timeLabel, const AppSettings& settings,
                  Encoders& encoders, WriteFailure* failure)
{
    if (settings.AddTimeStamp && !timeLabel.isEmpty()) {
        try {
            StampText(picture, timeLabel, settings.TimeFont, settings.TimePosit, 0, 0, 0, settings.TimeTrans, true);
        } catch (...) {
            // A picture without its stamp is still worth saving.
        }
    }
    return SaveBitmapFile(picture, fileName, settings, encoders, failure);
}

ShotFileWriter BitmapFileWriter(const AppSettings& settings, Encoders& encoders)
{
    return [&settings, &encoders](Bitmap& picture, const QString& fileName, const QString& timeLabel, QString& error) {
        WriteFailure failure;
        if (SaveShotFile(picture, fileName, timeLabel, settings, encoders, &failure))
            return true;
        error = WriteFailureText(failure);
        return false;
    };
}

SaveShotsResult SaveShotsRun::Run(const std::vector<ShotToSave>& shots, const std::function<QString()>& prefix)
{
    SaveShotsResult result;
    if (shots.empty())
        return result;
    RunScope run(control_);
    if (!run.Entered()) {
        result.Outcome = SaveShotsOutcome::Refused;
        return result;
    }
    if (!QFileInfo(settings_.OutputFolder).isDir()) {
        result.Outcome = SaveShotsOutcome::MissingFolder;
        return result;
    }
    PrepareShotOutput(settings_);
    result.Outcome = SaveShotsOutcome::Finished;
    WriteFiles(shots, prefix, FileExtensionFor(settings_.SaveFormat), result);
    return result;
}

void SaveShotsRun::WriteFiles(const std::vector<ShotToSave>& shots, const std::function<QString()>& prefix,
                              const QString& extension, SaveShotsResult& result)
{
    const QString folder = settings_.OutputFolder;
    const int width = settings_.ShotsWidth;
    const int height = settings_.ShotsHeight;
    const int count = int(shots.size());
    Bitmap work;
    const ScopeExit hide([this] { host_.HideProgress(); });
    host_.SetProgress(0);
    host_.ShowProgress();
    host_.ProcessMessages();
    control_.AbortRequested = false;

    // Expanding a packed shot costs about as much as encoding it, so the next one is
    // expanded on a second thread while the current one is resized, stamped and written.
    const auto nextWithPixels = [&shots, count](int from) {
        while (from < count && shots[std::size_t(from)].Picture.isEmpty())
            ++from;
        return from;
    };
    ShotExpansionAhead ahead;
    int next = nextWithPixels(0);
    if (next < count)
        ahead.start(shots[std::size_t(next)].Picture);
    for (int i = next; i < count; i = next) {
        if (control_.AbortRequested)
            break;
        const ShotToSave& shot = shots[std::size_t(i)];
        // The writer may stamp the picture it is given, so it gets a copy of its own:
        // the resized one, or (when resizing is off or fails) the pixels as they are.
        if (settings_.NeedResize) {
            const Bitmap& pixels = ahead.take();
            if (!ResizeBitmapInto(pixels, work, width, height, ResizeStretch, clWhite))
                work = pixels;
        } else {
            ahead.takeInto(work);
        }
        next = nextWithPixels(i + 1);
        if (next < count)
            ahead.start(shots[std::size_t(next)].Picture);
        const QString fileName = ShotFileName(folder, prefix(), i + 1, extension);
        // Only a file that is really there counts as saved.
        QString error;
        if (writer_(work, fileName, shot.Label, error) && QFileInfo(fileName).isFile()) {
            ++result.Written;
        } else if (++result.Failed == 1) {
            result.FirstError = error.isEmpty() ? lang::kUnknownError : error;
        }
        host_.ProcessMessages();
        host_.SetProgress(int(100.0 / count * i));
    }
}

}  // namespace sm
