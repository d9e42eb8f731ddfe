#include <gtest/gtest.h>

#include "imaging/TextEffectSettings.h"

namespace sm {
namespace {

// Counts the notifications a settings object sends and remembers the last sender.
struct Listener {
    int count = 0;
    TNotifyClass* sender = nullptr;
    TNotifyClass::ChangeHandler handler()
    {
        return [this](TNotifyClass* s) {
            ++count;
            sender = s;
        };
    }
};

TEST(TextEffectSettings, StartWithTheirDefaults)
{
    TIAEffect effect;
    EXPECT_EQ(effect.Alpha(), 100);
    EXPECT_EQ(effect.Blur(), 0);
    EXPECT_EQ(effect.Angle(), 0);
    EXPECT_EQ(effect.Noise(), 0);
    EXPECT_EQ(effect.Spray(), 0);
    EXPECT_FALSE(effect.Outline() || effect.HorzMirror() || effect.VertMirror());

    const TIAShadow& shadow = effect.Shadow();
    EXPECT_FALSE(shadow.Enabled());
    EXPECT_EQ(shadow.Blur(), 80);
    EXPECT_EQ(shadow.Alpha(), 70);
    EXPECT_EQ(shadow.Color(), 0x444444);
    EXPECT_EQ(shadow.OffsetX(), 2);
    EXPECT_EQ(shadow.OffsetY(), 2);

    EXPECT_FALSE(effect.Gradual().Enabled());
    EXPECT_EQ(effect.Gradual().Style(), gsLeftToRight);
    EXPECT_EQ(effect.Gradual().StartColor(), 0xFFFFFF);
    EXPECT_EQ(effect.Gradual().EndColor(), 0);

    EXPECT_FALSE(effect.Texture().Enabled());
    EXPECT_EQ(effect.Texture().Mode(), tmTiled);
    EXPECT_TRUE(effect.Texture().Picture().isEmpty());
}

TEST(TextEffectSettings, ValuesAreClampedToTheirTypesRange)
{
    TIAEffect effect;
    effect.SetAlpha(150);
    effect.SetBlur(-5);
    effect.SetAngle(-400);
    effect.SetNoise(300);
    effect.SetSpray(101);
    EXPECT_EQ(effect.Alpha(), 100);
    EXPECT_EQ(effect.Blur(), 0);
    EXPECT_EQ(effect.Angle(), -360);
    EXPECT_EQ(effect.Noise(), 255);
    EXPECT_EQ(effect.Spray(), 100);

    TIAShadow& shadow = effect.Shadow();
    shadow.SetOffsetX(-21);
    shadow.SetOffsetY(99);
    shadow.SetAlpha(-1);
    shadow.SetBlur(1000);
    EXPECT_EQ(shadow.OffsetX(), -20);
    EXPECT_EQ(shadow.OffsetY(), 20);
    EXPECT_EQ(shadow.Alpha(), 0);
    EXPECT_EQ(shadow.Blur(), 100);

    effect.Gradual().SetStyle(TGradualStyle(9));
    effect.Texture().SetMode(TTextureMode(9));
    EXPECT_EQ(effect.Gradual().Style(), gsCenterToTB);
    EXPECT_EQ(effect.Texture().Mode(), tmNormal);
}

TEST(TextEffectSettings, OnlyRealChangesAreReported)
{
    Listener listener;
    TIAEffect effect(listener.handler());
    effect.SetAlpha(100);
    effect.SetOutline(false);
    EXPECT_EQ(listener.count, 0);
    effect.SetAlpha(60);
    effect.SetOutline(true);
    effect.SetAngle(45);
    EXPECT_EQ(listener.count, 3);
    EXPECT_EQ(listener.sender, &effect);
    effect.SetAngle(400);
    effect.SetAngle(500);  // both clamp to 360: one change
    EXPECT_EQ(listener.count, 4);
}

TEST(TextEffectSettings, DisabledGroupsChangeSilentlyButSwitchingIsAlwaysReported)
{
    Listener listener;
    TIAEffect effect(listener.handler());
    TIAShadow& shadow = effect.Shadow();
    shadow.SetBlur(10);
    shadow.SetColor(clWhite);
    effect.Gradual().SetStyle(gsCenterToLR);
    effect.Texture().SetPicture(Bitmap(2, 2, 24));
    EXPECT_EQ(listener.count, 0);
    EXPECT_EQ(shadow.Blur(), 10);

    shadow.SetEnabled(true);
    EXPECT_EQ(listener.count, 1);
    EXPECT_EQ(listener.sender, &effect);  // passed on as the effect's own change
    shadow.SetEnabled(true);
    shadow.SetOffsetX(-3);
    EXPECT_EQ(listener.count, 2);
    shadow.SetEnabled(false);
    EXPECT_EQ(listener.count, 3);

    effect.Texture().SetEnabled(true);
    effect.Texture().SetPicture(Bitmap(1, 1, 8));  // a new picture is always news
    EXPECT_EQ(listener.count, 5);
}

TEST(TextEffectSettings, AssignCopiesEveryValueAndSubObject)
{
    TIAEffect source;
    source.SetAlpha(40);
    source.SetBlur(7);
    source.SetAngle(-90);
    source.SetNoise(200);
    source.SetSpray(3);
    source.SetOutline(true);
    source.SetHorzMirror(true);
    source.SetVertMirror(true);
    source.Shadow().SetEnabled(true);
    source.Shadow().SetOffsetY(-4);
    source.Shadow().SetColor(RgbColor(1, 2, 3));
    source.Gradual().SetEnabled(true);
    source.Gradual().SetEndColor(RgbColor(9, 9, 9));
    source.Texture().SetMode(tmStretched);
    Bitmap picture(3, 1, 24);
    picture.setPixelRgb(2, 0, 0x123456u);
    source.Texture().SetPicture(picture);

    Listener listener;
    TIAEffect copy(listener.handler());
    copy.Assign(source);
    EXPECT_GT(listener.count, 0);
    EXPECT_EQ(copy.Alpha(), 40);
    EXPECT_EQ(copy.Blur(), 7);
    EXPECT_EQ(copy.Angle(), -90);
    EXPECT_EQ(copy.Noise(), 200);
    EXPECT_EQ(copy.Spray(), 3);
    EXPECT_TRUE(copy.Outline() && copy.HorzMirror() && copy.VertMirror());
    EXPECT_TRUE(copy.Shadow().Enabled());
    EXPECT_EQ(copy.Shadow().OffsetY(), -4);
    EXPECT_EQ(copy.Shadow().Color(), RgbColor(1, 2, 3));
    EXPECT_TRUE(copy.Gradual().Enabled());
    EXPECT_EQ(copy.Gradual().EndColor(), RgbColor(9, 9, 9));
    EXPECT_FALSE(copy.Texture().Enabled());
    EXPECT_EQ(copy.Texture().Mode(), tmStretched);
    EXPECT_EQ(copy.Texture().Picture(), picture);

    // The setters of the groups assign too, then report.
    TIAShadow shadow;
    shadow.SetBlur(33);
    listener.count = 0;
    copy.SetShadow(shadow);
    EXPECT_FALSE(copy.Shadow().Enabled());
    EXPECT_EQ(copy.Shadow().Blur(), 33);
    EXPECT_EQ(listener.count, 2);  // switched off, then the setter's own report
}

TEST(TextEffectSettings, AssignAcrossGroupsCopiesOnlyWhatTheyShare)
{
    TIAGradual gradual;
    gradual.SetEnabled(true);
    TIAShadow shadow;
    shadow.SetBlur(5);
    shadow.Assign(gradual);
    EXPECT_TRUE(shadow.Enabled());
    EXPECT_EQ(shadow.Blur(), 5);
}

}  // namespace
}  // namespace sm
