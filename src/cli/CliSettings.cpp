#include "cli/CliSettings.h"

#include <QFileInfo>

#include <stdexcept>

#include "settings/SettingsStore.h"
#include "settings/StartTimeText.h"
#include "settings/Texts.h"

namespace sm {

CliSettings BuildCliSettings(const CliOptions& options, const QString& programFolder, const QString& workingFolder)
{
    CliSettings result;
    AppSettings& settings = result.settings;
    const QString file = options.settingsFile.isEmpty() ? SettingsFilePath(programFolder) : options.settingsFile;
    // Only a regular file is read: a FIFO or a device would block the read or never end.
    const QFileInfo info(file);
    if (!options.settingsFile.isEmpty() && !info.isFile()) {
        result.error = !info.exists() ? lang::kCliNoSettingsFile.arg(file)
                       : info.isDir() ? lang::kCliSettingsIsFolder.arg(file)
                                      : lang::kCliSettingsNotAFile.arg(file);
        return result;
    }
    if (info.isFile()) {
        try {
            LoadSettingsFile(file, settings);
        } catch (const std::runtime_error& error) {
            result.error = QString::fromLocal8Bit(error.what());
            return result;
        }
    } else {
        settings.OutputFolder = workingFolder;
    }
    settings.CaptureSpeed = 0;

    for (const SettingText& assignment : options.assignments) {
        const QString badValue = lang::kCliBadValue.arg(assignment.option, assignment.value, assignment.key);
        // The file reads a start time that is no time as midnight; asked for by hand, it is a mistake.
        if (assignment.key.compare(QLatin1String("StartTime"), Qt::CaseInsensitive) == 0
            && !IsStartTimeText(assignment.value)) {
            result.error = badValue;
            return result;
        }
        switch (AssignSetting(settings, assignment.key, assignment.value)) {
        case SettingAssignment::Done:
            break;
        case SettingAssignment::UnknownKey:
            result.error = lang::kCliUnknownSetting.arg(assignment.option, assignment.key);
            return result;
        case SettingAssignment::BadValue:
            result.error = badValue;
            return result;
        }
    }
    return result;
}

}  // namespace sm
