#pragma once

#include <QString>

#include "cli/CliOptions.h"
#include "settings/Settings.h"

namespace sm {

// The settings of a run from the command line, or why they cannot be made (then exit
// code 2).
struct CliSettings {
    AppSettings settings;
    QString error;
};

// The settings file (the one given, else Settings.dat in the program's folder when it
// exists; without one the output goes to the working folder), then CaptureSpeed 0,
// since there is no window to watch a settling video in, then the command line's
// settings in their order. The file is only read.
CliSettings BuildCliSettings(const CliOptions& options, const QString& programFolder, const QString& workingFolder);

}  // namespace sm
