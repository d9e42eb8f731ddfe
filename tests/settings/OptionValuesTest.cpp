#include <gtest/gtest.h>

#include <functional>

#include "settings/OptionValues.h"

namespace sm {
namespace {

// Each setting the dialog edits goes through its values on its own way; the others do not.
TEST(OptionValuesTest, EachEditedSettingTravelsAndNoOtherDoes)
{
    const struct {
        const char* name;
        std::function<void(AppSettings&)> change;
        bool edited;
    } cases[] = {
        {"AddTimeStamp", [](AppSettings& s) { s.AddTimeStamp = false; }, true},
        {"TimeTrans", [](AppSettings& s) { s.TimeTrans = 31; }, true},
        {"TimePosit", [](AppSettings& s) { s.TimePosit = -1; }, true},
        {"CaptureSpeed", [](AppSettings& s) { s.CaptureSpeed = 0; }, true},
        {"NeedResize", [](AppSettings& s) { s.NeedResize = false; }, true},
        {"StopSound", [](AppSettings& s) { s.StopSound = false; }, true},
        {"TimeFont", [](AppSettings& s) { s.TimeFont.style = FontDesc::Underline; }, true},
        {"ShotsWidth", [](AppSettings& s) { s.ShotsWidth = 641; }, true},
        {"ShotsHeight", [](AppSettings& s) { s.ShotsHeight = 359; }, true},
        {"ThumbWidth", [](AppSettings& s) { s.ThumbWidth = 161; }, true},
        {"ThumbHeight", [](AppSettings& s) { s.ThumbHeight = 97; }, true},
        {"ThumbCols", [](AppSettings& s) { s.ThumbCols = 6; }, true},
        {"ThumbRows", [](AppSettings& s) { s.ThumbRows = 8; }, true},
        {"ThumbSpace", [](AppSettings& s) { s.ThumbSpace = 11; }, true},
        {"ResizeType", [](AppSettings& s) { s.ResizeType = 1; }, true},
        {"FillColor", [](AppSettings& s) { s.FillColor = clBtnFace; }, true},
        {"Add2List", [](AppSettings& s) { s.Add2List = true; }, true},
        {"Aggregate", [](AppSettings& s) { s.Aggregate = true; }, true},
        {"AddonFont", [](AppSettings& s) { s.AddonFont.size = 30; }, false},
        {"JpgCompress", [](AppSettings& s) { s.JpgCompress = 50; }, false},
        {"SaveDirectly", [](AppSettings& s) { s.SaveDirectly = false; }, false},
    };
    for (const auto& c : cases) {
        AppSettings changed;
        c.change(changed);
        AppSettings target;
        StoreOptionValues(OptionValuesOf(changed), target);
        EXPECT_TRUE(target == (c.edited ? changed : AppSettings{})) << c.name;
    }
}

}  // namespace
}  // namespace sm
