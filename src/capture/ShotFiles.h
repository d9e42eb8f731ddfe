#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "capture/RunHost.h"
#include "capture/Shot.h"
#include "common/Bitmap.h"
#include "common/SafeFileWrite.h"
#include "settings/Settings.h"

namespace sm {

// The shot files of the program, one home for their names and for what happens to a
// shot on its way into a file: the saving run of the main window, and the names and
// the save step that the batch run and the command line share.

struct Encoders;

// The base name of a video's file (no folder, cut before the first ".") followed by
// "_": the name prefix its shots are saved under. "C:/v/clip.part1.avi" gives "clip_".
QString ShotPrefixForVideo(const QString& path);

// The name of the n-th file of a save: folder (ending in a separator) + prefix + n
// written with at least four digits + the extension.
QString ShotFileName(const QString& folder, const QString& prefix, int number, const QString& extension);

// The name of a video's sheet in a batch run: the prefix clip_ gives folder + clip_thumb + the
// extension.
QString SheetFileName(const QString& folder, const QString& prefix, const QString& extension);

// Readies the settings of a run that writes shot files, done once before its first
// file: OutputFolder gets its trailing separator and a SaveFormat of -5..-1 (no format
// chosen) becomes 0, JPEG; both changes stay in the settings.
void PrepareShotOutput(AppSettings& settings);

// Saves a shot as a picture file: when AddTimeStamp is on and timeLabel is not empty,
// the label is stamped on the picture first (TimeFont, TimePosit, TimeTrans, with
// shadow), so the bitmap carries it afterwards (a failed stamp is ignored); then
// SaveBitmapFile writes it. Returns false when the file could not be written, why in
// *failure when given.
bool SaveShotFile(Bitmap& picture, const QString& fileName, const QString& timeLabel, const AppSettings& settings,
                  Encoders& encoders, WriteFailure* failure = nullptr);

// Writes one picture file: (picture, which it may change, file name, time label) to
// true when the file was written; on false, error says why.
using ShotFileWriter
    = std::function<bool(Bitmap& picture, const QString& fileName, const QString& timeLabel, QString& error)>;

// The writer of the program: SaveShotFile with these settings and encoders, both of
// which must outlive the writer; its error is WriteFailureText's.
ShotFileWriter BitmapFileWriter(const AppSettings& settings, Encoders& encoders);

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

// Saves shots as numbered picture files in settings.OutputFolder, under the progress
// dialog: file n (from 1) is folder + prefix() + "%.4d" + the extension of SaveFormat,
// the picture stretched to ShotsWidth x ShotsHeight first when NeedResize is on. The
// prefix is asked for again for every file. The settings are readied first
// (PrepareShotOutput). The stop request is honoured before each file. It asks the user
// nothing: the result says how it ended. An error escaping the writer ends the run
// (dialog hidden) and is passed on.
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
