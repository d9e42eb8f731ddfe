#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "app/ui/WidgetPrompts.h"

namespace sm {
namespace {

TEST(WidgetPrompts, FiltersBecomeTheFileDialogsForm)
{
    EXPECT_EQ(ToDialogFilter("AVI 文件 (*.avi)|*.avi"), "AVI 文件 (*.avi) (*.avi)");
    EXPECT_EQ(ToDialogFilter("QuickTime 文件 (*.mov;*.qt)|*.mov;*.qt"), "QuickTime 文件 (*.mov;*.qt) (*.mov *.qt)");
    EXPECT_EQ(ToDialogFilter("所有文件 (*.*)|*.*"), "所有文件 (*.*) (*)");
    EXPECT_EQ(ToDialogFilter("Plain"), "Plain");
}

TEST(WidgetPrompts, FontDescriptionsSurviveTheToolkitFont)
{
    FontDesc font{QStringLiteral("DejaVu Sans"),
                  RgbColor(1, 2, 3),
                  14,
                  134,
                  FontDesc::Bold | FontDesc::Italic | FontDesc::Underline | FontDesc::StrikeOut,
                  FontDesc::FixedPitch};
    const QFont qfont = ToQFont(font);
    EXPECT_EQ(qfont.family(), "DejaVu Sans");
    EXPECT_EQ(qfont.pointSize(), 14);
    EXPECT_TRUE(qfont.bold() && qfont.italic() && qfont.underline() && qfont.strikeOut());

    FontDesc back;
    back.color = font.color;
    back.charSet = font.charSet;
    back.pitch = font.pitch;
    AssignQFont(back, qfont);
    EXPECT_EQ(back, font);

    font.style = 0;
    AssignQFont(back, ToQFont(font));
    EXPECT_EQ(back.style, 0);
}

}  // namespace
}  // namespace sm
