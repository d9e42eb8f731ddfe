#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QWindow>

#include "app/ui/AboutBox.h"
#include "capture/ui/ProcessDialog.h"
#include "settings/Texts.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

namespace sm {
namespace {

TEST(AboutBox, ShowsVersionAndHandsItsLinksToTheDesktop)
{
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    TfrmAbout about(folder.path(), prompts);
    EXPECT_EQ(about.windowTitle(), "关于");
    EXPECT_EQ(about.findChild<QLabel*>("lbVersion")->text(), "3.0.1");
    EXPECT_EQ(about.findChild<QPushButton*>("btnClose")->text(), "关闭(&C)");
    EXPECT_EQ(about.findChild<QLabel*>("imgLogo"), nullptr);

    emit about.findChild<QLabel*>("lbHomePage")->linkActivated(lang::kHomePageUrl);
    emit about.findChild<QLabel*>("lbEmail")->linkActivated("mailto:" + lang::kSupportEmail);
    EXPECT_EQ(prompts.texts("shell"), (QStringList{lang::kHomePageUrl, "mailto:" + lang::kSupportEmail}));
    EXPECT_TRUE(about.findChild<QLabel*>("lbEmail")->text().contains("href=\"mailto:" + lang::kSupportEmail));
}

TEST(AboutBox, ShowsTheLogoWhenTheFileExists)
{
    test::TempFolder folder;
    QImage logo(16, 8, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(folder.file("Logo.bmp"), "BMP"));
    test::ScriptedPrompts prompts;
    TfrmAbout about(folder.path(), prompts);
    const QLabel* picture = about.findChild<QLabel*>("imgLogo");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixmap().size(), QSize(16, 8));
}

TEST(AboutBox, TheAboutBoxAndTheProgressDialogHaveOnlyACloseBox)
{
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    TfrmAbout about(folder.path(), prompts);
    TfrmProcess progress;
    for (QWidget* dialog : std::initializer_list<QWidget*>{&about, &progress}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        dialog->show();
        // Without the customize hint the desktop decides the buttons itself.
        const Qt::WindowFlags flags = dialog->windowHandle()->flags();
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        dialog->hide();
    }
}

}  // namespace
}  // namespace sm
