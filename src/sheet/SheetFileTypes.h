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

// What a save writes: the file's name and its type.
struct SheetSaveTarget {
    QString FileName;
    int Type = SheetJpeg;
};

// The file a save writes for the name the dialog gave and the entry chosen in it, so that
// a file's extension always says what it holds. A name without an extension of the entries
// gets the chosen entry's ("s2" under GIF gives "s2.gif", "a.b" gives "a.b.gif"); a typed
// extension of an entry is kept and chooses the format, the chosen entry's own where it
// lists it (".bmp" under 256 colours stays 8-bit), 24 bits for ".bmp" under another entry.
SheetSaveTarget SheetSaveTargetFor(const QString& fileName, int chosenType);

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
