#include "sheet/SheetFileTypes.h"

#include <QFileInfo>
#include <QIODevice>

#include "common/PathText.h"
#include "common/SafeFileWrite.h"
#include "output/Encoders.h"
#include "output/ImageFormats.h"
#include "settings/Texts.h"

namespace sm {

namespace {

// Each sheet type is one of the picture formats with the value of its setting; the two
// BMP types fix the colour depth (MaxColor 1: the 256-colour halftone palette, 3: 24 bits).
struct SheetType {
    const QString& filter;
    const char* extension;
    int saveFormat;
    int (*settingValue)(const AppSettings&);
};

const SheetType kTypes[kSheetFileTypeCount] = {
    {lang::kSheetFilterJpeg, ".jpg", 0, [](const AppSettings& s) { return s.JpgCompress; }},
    {lang::kSheetFilterGif, ".gif", 3, [](const AppSettings&) { return 0; }},
    {lang::kSheetFilterPng, ".png", 1, [](const AppSettings& s) { return s.PngCompress; }},
    {lang::kSheetFilterBmp8, ".bmp", 2, [](const AppSettings&) { return 1; }},
    {lang::kSheetFilterBmp24, ".bmp", 2, [](const AppSettings&) { return 3; }},
};

int ValidType(int type) { return type >= 0 && type < kSheetFileTypeCount ? type : 0; }

const SheetType& TypeAt(int type) { return kTypes[ValidType(type)]; }

// Whether the entry's patterns ("*.JPG;*.JPEG") list the extension, letter case aside.
bool ListsExtension(const SheetType& type, const QString& extension)
{
    const QString patterns = type.filter.mid(type.filter.indexOf(QLatin1Char('|')) + 1);
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (pattern.mid(2).compare(extension, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

}  // namespace

QStringList SheetSaveFilters()
{
    QStringList filters;
    for (const SheetType& t : kTypes)
        filters << t.filter;
    return filters;
}

QString SheetDefaultExtension(int type) { return QString::fromLatin1(TypeAt(type).extension); }

SheetSaveTarget SheetSaveTargetFor(const QString& fileName, int chosenType)
{
    const int chosen = ValidType(chosenType);
    const QString extension = QFileInfo(fileName).suffix();
    if (!extension.isEmpty()) {
        if (ListsExtension(kTypes[chosen], extension))
            return {fileName, chosen};
        // From the last entry on, so that a ".bmp" keeps every colour.
        for (int type = kSheetFileTypeCount - 1; type >= 0; --type)
            if (ListsExtension(kTypes[type], extension))
                return {fileName, type};
    }
    return {fileName + SheetDefaultExtension(chosen), chosen};
}

void SaveSheetFile(const Bitmap& sheet, const QString& fileName, int type, const AppSettings& settings,
                   Encoders& encoders)
{
    const SheetType& t = TypeAt(type);
    const ImageFormat& format = ImageFormatFor(t.saveFormat);
    const int value = t.settingValue(settings);
    WriteFileAtomically(fileName, [&](QIODevice& out) { WriteImage(sheet, format, value, encoders, out); });
}

QString SheetFileNamePreset(const QString& videoPath)
{
    const QString name = FileNameOf(videoPath);
    return name.contains(QLatin1Char('.')) ? BaseNameOf(videoPath) : QString();
}

}  // namespace sm
