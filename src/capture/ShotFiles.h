#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "capture/RunHost.h"
#include "capture/Shot.h"
#include "common/Bitmap.h"
#include "settings/Settings.h"

namespace sm {

// Writes one picture file: (picture, which it may change, file name, time label) to
// true when the file was written; on false, error says why.
using ShotFileWriter
    = std::function<bool(Bitmap& picture, const QString& fileName, const QString& timeLabel, QString& error)>;

struct Encoders;

// The writer of the program: SaveBitmapFile with these settings, encoders and
// conversion bitmap, all of which must outlive the writer.
ShotFileWriter BitmapFileWriter(const AppSettings& settings, Encoders& encoders, Bitmap& workBitmap);

enum class SaveShotsOutcome {
    NothingToSave,  // no shots; nothing shown
    Refused,        // another run is going on; nothing shown
    MissingFolder,  // OutputFolder is no folder; nothing written
    Finished,       // every shot was handled, or the stop request ended the run
};

struct SaveShotsResult {
    SaveShotsOutcome Outcome = SaveShotsOutcome::NothingToSave;
    int Written = 0;     // files written and present afterwards
    int Failed = 0;      // files whose write was tried and failed (not empty shots, not
                         // the rows an abort left)
    QString FirstError;  // why the first of them failed
};

// The name of the n-th file of a save: folder (ending in a separator) + prefix + n
// written with at least four digits + the extension.
QString ShotFileName(const QString& folder, const QString& prefix, int number, const QString& extension);

// Saves shots as numbered picture files in settings.OutputFolder, under the progress
// dialog: file n (from 1) is folder + prefix() + "%.4d" + the extension of SaveFormat,
// the picture stretched to ShotsWidth x ShotsHeight first when NeedResize is on. The
// prefix is asked for again for every file. OutputFolder gets a trailing separator.
// The stop request is honoured before each file. It asks the user nothing: the result
// says how it ended. An error escaping the writer ends the run (dialog hidden) and is
// passed on.
class SaveShotsRun {
public:
    SaveShotsRun(AppSettings& settings, RunHost& host, RunControl& control, ShotFileWriter writer)
        : settings_(settings), host_(host), control_(control), writer_(std::move(writer))
    {
    }

    SaveShotsResult Run(const std::vector<ShotToSave>& shots, const std::function<QString()>& prefix);

private:
    void WriteFiles(const std::vector<ShotToSave>& shots, const std::function<QString()>& prefix,
                    const QString& extension, SaveShotsResult& result);

    AppSettings& settings_;
    RunHost& host_;
    RunControl& control_;
    ShotFileWriter writer_;
};

}  // namespace sm
