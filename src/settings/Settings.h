#pragma once

// Holds AppSettings: "Settings" alone would be mistaken for the text engine's settings objects.

#include <QDir>
#include <QString>

#include "common/ColorValue.h"
#include "common/FontDesc.h"
#include "common/PathText.h"

namespace sm {

// The home folder with a trailing separator: where folders default to on this platform.
inline QString DefaultFolder() { return WithTrailingSeparator(QDir::homePath()); }

// Every user preference of the program, named by its key in Settings.dat. One object
// lives from the main window's create step to its destroy step; routines take it (or
// the values they need) as arguments.
struct AppSettings {
    int CaptureMethod = 0;  // 0 a count of shots, 1 one shot every N seconds
    int EveryFrame = 60;
    int CountFrames = 12;
    QString StartTime = QStringLiteral("0:00:00");
    int SaveFormat = 0;  // 0 JPG, 1 PNG, 2 BMP, 3 GIF, 4 TIF; the command line also 5 WebP, 6 AVIF
    QString OutputFolder = DefaultFolder();
    bool NeedResize = true;
    int ShotsWidth = 320;
    int ShotsHeight = 240;
    int JpgCompress = 90;
    int PngCompress = 9;
    int MaxColor = 8;  // 0 16 colours, 1 256, 2 16-bit, 3 24-bit; other values 24-bit
    int ThumbWidth = 120;
    int ThumbHeight = 90;
    int ThumbCols = 3;
    int ThumbRows = 4;
    int ThumbSpace = 3;
    int ResizeType = 0;
    ColorValue FillColor = clBlack;
    bool AddTimeStamp = true;
    int TimeTrans = 80;
    int TimePosit = 9;
    int CaptureSpeed = 2;
    bool StopSound = true;
    bool Add2List = false;
    bool Aggregate = false;
    bool SaveDirectly = true;
    QString InitDir = DefaultFolder();
    bool Addon = false;
    int TxtLocation = 0;
    QString AddText;
    int WinWidth = 780;
    int WinHeight = 580;
    int WinState = 0;         // 0 normal, 1 minimized, 2 maximized
    bool ToneMapping = true;  // HDR videos tone-mapped to what a screen shows
    bool Deinterlace = true;  // interlaced pictures deinterlaced
    // A shot whose picture is blank (or blurred) is replaced by the first later picture
    // that is neither, up to SkipSeconds (1 to 60) after its second.
    bool SkipBlank = false;
    bool SkipBlurred = false;
    int SkipSeconds = 5;

    FontDesc TimeFont = {QStringLiteral("Verdana"), clWhite, 8, 1, 0, 0};
    FontDesc AddonFont = {QStringLiteral("Verdana"), clBlack, 10, 1, 0, 0};

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

}  // namespace sm
