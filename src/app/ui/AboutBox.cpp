#include "app/ui/AboutBox.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/GuardedCommand.h"
#include "settings/Prompts.h"
#include "settings/Texts.h"

namespace sm {

namespace {

QLabel* Link(const QString& target, const QString& text, const char* name, QWidget* parent)
{
    auto* label
        = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(target.toHtmlEscaped(), text.toHtmlEscaped()), parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return label;
}

}  // namespace

TfrmAbout::TfrmAbout(const QString& appDir, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(lang::kAboutTitle);
    auto* layout = new QHBoxLayout(this);

    const QString logoPath = appDir + lang::kLogoFile;
    if (QFileInfo::exists(logoPath)) {
        auto* logo = new QLabel(this);
        logo->setObjectName(QStringLiteral("imgLogo"));
        logo->setPixmap(QPixmap(logoPath));
        layout->addWidget(logo, 0, Qt::AlignTop);
    }

    auto* text = new QVBoxLayout;
    auto* product = new QLabel(QStringLiteral("<b>%1</b>").arg(lang::kProductName), this);
    auto* version = new QLabel(lang::kVersion, this);
    version->setObjectName(QStringLiteral("lbVersion"));
    auto* notice = new QLabel(lang::kAboutNotice, this);
    notice->setObjectName(QStringLiteral("lbNotice"));
    const QString mail = QStringLiteral("mailto:") + lang::kSupportEmail;
    QLabel* home = Link(lang::kHomePageUrl, lang::kHomePageUrl, "lbHomePage", this);
    QLabel* email = Link(mail, lang::kSupportEmail, "lbEmail", this);
    for (QLabel* link : {home, email})
        connect(link, &QLabel::linkActivated, this,
                [&prompts](const QString& target) { RunGuarded(prompts, [&] { prompts.OpenWithShell(target); }); });
    auto* close = new QPushButton(lang::kAboutClose, this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    for (QWidget* w : std::initializer_list<QWidget*>{product, version, notice, home, email})
        text->addWidget(w);
    text->addStretch();
    text->addWidget(close, 0, Qt::AlignRight);
    layout->addLayout(text);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace sm
