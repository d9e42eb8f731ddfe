#include "settings/OptionValues.h"

namespace sm {

OptionValues OptionValuesOf(const AppSettings& settings)
{
    OptionValues values;
    values.AddTimeStamp = settings.AddTimeStamp;
    values.TimeTrans = settings.TimeTrans;
    values.TimePosit = settings.TimePosit;
    values.CaptureSpeed = settings.CaptureSpeed;
    values.NeedResize = settings.NeedResize;
    values.StopSound = settings.StopSound;
    values.TimeFont = settings.TimeFont;
    values.ShotsWidth = settings.ShotsWidth;
    values.ShotsHeight = settings.ShotsHeight;
    values.ThumbWidth = settings.ThumbWidth;
    values.ThumbHeight = settings.ThumbHeight;
    values.ThumbCols = settings.ThumbCols;
    values.ThumbRows = settings.ThumbRows;
    values.ThumbSpace = settings.ThumbSpace;
    values.ResizeType = settings.ResizeType;
    values.FillColor = settings.FillColor;
    values.Add2List = settings.Add2List;
    values.Aggregate = settings.Aggregate;
    values.SkipBlank = settings.SkipBlank;
    values.SkipBlurred = settings.SkipBlurred;
    return values;
}

void StoreOptionValues(const OptionValues& values, AppSettings& settings)
{
    settings.AddTimeStamp = values.AddTimeStamp;
    settings.TimeTrans = values.TimeTrans;
    settings.TimePosit = values.TimePosit;
    settings.CaptureSpeed = values.CaptureSpeed;
    settings.NeedResize = values.NeedResize;
    settings.StopSound = values.StopSound;
    settings.TimeFont = values.TimeFont;
    settings.ShotsWidth = values.ShotsWidth;
    settings.ShotsHeight = values.ShotsHeight;
    settings.ThumbWidth = values.ThumbWidth;
    settings.ThumbHeight = values.ThumbHeight;
    settings.ThumbCols = values.ThumbCols;
    settings.ThumbRows = values.ThumbRows;
    settings.ThumbSpace = values.ThumbSpace;
    settings.ResizeType = values.ResizeType;
    settings.FillColor = values.FillColor;
    settings.Add2List = values.Add2List;
    settings.Aggregate = values.Aggregate;
    settings.SkipBlank = values.SkipBlank;
    settings.SkipBlurred = values.SkipBlurred;
}

}  // namespace sm
