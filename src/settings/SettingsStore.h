#pragma once

#include <QString>

#include "settings/Settings.h"

namespace sm {

// The settings file inside a folder (the folder's "Settings.dat").
QString SettingsFilePath(const QString& folder);

// Reads the folder's Settings.dat into every setting and both font records. A missing
// file, section or key, or a value that is not an integer where one is expected,
// gives that setting its default; other settings are unaffected. Never throws for a
// missing or partial file; throws std::runtime_error when an existing file cannot be read.
void LoadSettings(const QString& folder, AppSettings& settings);
// The same for a settings file given by its own path.
void LoadSettingsFile(const QString& path, AppSettings& settings);

enum class SettingAssignment { Done, UnknownKey, BadValue };

// Sets one setting from a text as the file would hold it. The key is matched without
// regard to letter case; a font's keys are named by section and key ("TimeFont.Size").
// Integers, colours and booleans must parse as the file's integers do (a boolean is
// true for any integer other than 0); a text takes any value.
SettingAssignment AssignSetting(AppSettings& settings, const QString& key, const QString& value);

// Writes every setting and both font records into the folder's Settings.dat, keeping
// the sections, keys and lines of the existing file that the program does not know
// where they were. The file is replaced atomically: when it cannot be written, the
// old file stays as it was and std::runtime_error is thrown.
void SaveSettings(const QString& folder, const AppSettings& settings);

}  // namespace sm
