#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

#include "cli/PreviewTrack.h"

namespace sm {

// One setting as the command line gives it, by its key in the settings file.
struct SettingText {
    QString key;
    QString value;
    QString option;  // the option that gave it, for messages ("--set", "-n")
};

// What the command line asks for.
struct CliOptions {
    enum class Action { Run, Help, Version };
    Action action = Action::Run;

    QStringList inputs;  // files and folders, as given
    QString mask = QStringLiteral("*.*");
    bool recursive = false;
    QString settingsFile;                  // empty: Settings.dat beside the program, when it exists
    std::vector<SettingText> assignments;  // in command-line order, the named options included
    bool thumbnails = true;
    bool skipExisting = false;
    bool keyFrames = false;
    bool json = false;
    int jobs = 0;            // 0: one per processor
    bool sheetOnly = false;  // shots kept for the sheet, no shot file written
    bool info = false;       // sheets with the information block
    QStringList infoLines;   // its lines as given; none: the thumbnail window's
    int timeout = 120;       // seconds a video may go without a shot done; 0: no limit

    // A preview track per video in place of its shots and sheet.
    bool webVtt = false;
    PreviewTrackShape previewShape;
    QString previewTuning;  // the first option given that shapes the track, for messages
};

// The options, or the reason they are not understood (then exit code 2 with usage).
struct CliParse {
    CliOptions options;
    QString error;
};

// Parses the arguments after the program name. Long options take their value as the
// next argument or after "="; short ones as the next argument or glued on ("-j2");
// "--" ends the options. Values are checked here where the option alone decides
// them (counts, formats, times); setting keys and values are checked by the settings.
// Options that shape a preview track want --webvtt, and those that choose shots or sheets
// do not go with it.
CliParse ParseCliArguments(const QStringList& arguments);

}  // namespace sm
