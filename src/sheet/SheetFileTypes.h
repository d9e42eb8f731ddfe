#pragma once

#include <QString>
#include <QStringList>

#include "common/Bitmap.h"
#include "settings/Settings.h"

namespace sm {

struct Encoders;

// The five entries of the sheet's save dialog, in order: JPEG (JpgCompress), GIF, PNG
// (PngCompress), 256-colour BMP and 24-bit BMP.
enum SheetFileType : int { SheetJpeg, SheetGif, SheetPng, SheetBmp8, SheetBmp24, kSheetFileTypeCount };

// The dialog's filters ("description|patterns"), one per type.
QStringList SheetSaveFilters();
// The extension a later save proposes after a save as this type (".bmp" for both BMPs);
// ".jpg" for an index outside the entries.
QString SheetDefaultExtension(int type);

// Writes the sheet as fileName in the chosen type, whatever the name's extension, through
// a temporary file, so a failure leaves no partial file and an older file unchanged. An
// index outside the entries writes JPEG. Throws FileWriteError (or the encoder's error)
// with the reason.
void SaveSheetFile(const Bitmap& sheet, const QString& fileName, int type, const AppSettings& settings,
                   Encoders& encoders);

// The name the save dialog proposes for a video: its file name cut before the first "."
// ("holiday.2010.avi" gives "holiday"); empty for a name without ".".
QString SheetFileNamePreset(const QString& videoPath);

}  // namespace sm
