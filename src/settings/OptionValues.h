#pragma once

#include "common/ColorValue.h"
#include "common/FontDesc.h"
#include "settings/Settings.h"

namespace sm {

// The settings the options dialog edits, as its controls hold them: the dialog fills
// its controls from these values, keeps the time-stamp font here as its working copy
// and hands the values back only on OK.
struct OptionValues {
    bool AddTimeStamp = true;
    int TimeTrans = 80;
    int TimePosit = 9;  // -1 when the position list has no selection
    int CaptureSpeed = 2;
    bool NeedResize = true;
    bool StopSound = true;
    FontDesc TimeFont;
    int ShotsWidth = 320;
    int ShotsHeight = 240;
    int ThumbWidth = 120;
    int ThumbHeight = 90;
    int ThumbCols = 3;
    int ThumbRows = 4;
    int ThumbSpace = 3;
    int ResizeType = 0;  // -1 when the mode list has no selection
    ColorValue FillColor = clBlack;
    bool Add2List = false;
    bool Aggregate = false;
    bool SkipBlank = false;
    bool SkipBlurred = false;
};

OptionValues OptionValuesOf(const AppSettings& settings);
// Copies every value into its setting; the other settings stay as they are.
void StoreOptionValues(const OptionValues& values, AppSettings& settings);

}  // namespace sm
