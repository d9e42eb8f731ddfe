#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>

#include "app/ui/WidgetPrompts.h"
#include "settings/Texts.h"
#include "settings/VideoOpenFilters.h"

namespace sm {
namespace {

TEST(WidgetPrompts, FiltersBecomeTheFileDialogsForm)
{
    EXPECT_EQ(ToDialogFilter("AVI 文件 (*.avi)|*.avi"), "AVI 文件 (*.avi) (*.avi)");
    EXPECT_EQ(ToDialogFilter("QuickTime 文件 (*.mov;*.qt)|*.mov;*.qt"), "QuickTime 文件 (*.mov;*.qt) (*.mov *.qt)");
    EXPECT_EQ(ToDialogFilter("所有文件 (*.*)|*.*"), "所有文件 (*.*) (*)");
    EXPECT_EQ(ToDialogFilter("Plain"), "Plain");
}

TEST(WidgetPrompts, OpenDialogShowsTheDescriptionsAsWrittenAndMatchesTheirPatterns)
{
    const QStringList filters = VideoOpenFilters();
    const std::unique_ptr<QFileDialog> dialog = MakeOpenDialog(nullptr, QString(), QDir::tempPath(), filters);
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    const auto* files = dialog->findChild<QFileSystemModel*>();
    ASSERT_TRUE(types && files);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i)
        shown << types->itemText(i);
    EXPECT_EQ(shown, (QStringList{lang::kFilterAllVideo, lang::kFilterWindowsMedia, lang::kFilterRealMedia,
                                  lang::kFilterMpeg, lang::kFilterAvi, lang::kFilterFlash, lang::kFilterDvd,
                                  lang::kFilterQuickTime, lang::kFilterAllFiles}));
    EXPECT_EQ(files->nameFilters(), AllVideoPatterns());
    EXPECT_FALSE(files->filter().testFlag(QDir::CaseSensitive));

    // Chosen as the user chooses: the entry's own patterns, "*.*" for every file.
    const struct {
        int entry;
        QStringList patterns;
    } choices[] = {{7, {"*.mov", "*.qt"}}, {8, {"*"}}, {0, AllVideoPatterns()}};
    for (const auto& choice : choices) {
        types->setCurrentIndex(choice.entry);
        emit types->activated(choice.entry);
        emit types->textActivated(types->itemText(choice.entry));
        EXPECT_EQ(files->nameFilters(), choice.patterns) << choice.entry;
    }
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
