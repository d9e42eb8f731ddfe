#include "capture/ui/ProcessDialog.h"

#include <QProgressBar>
#include <QPushButton>

#include "common/ui/CenterOnScreen.h"
#include "settings/Texts.h"

namespace sm {

namespace {

constexpr int kClientWidth = 381;
constexpr int kClientHeight = 84;

// Green to yellow over a black-to-green track, white text in the middle.
const char* const kProgressStyle = R"(
QProgressBar {
    border: 1px solid #404040;
    color: white;
    text-align: center;
    background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 black, stop:1 #006000);
}
QProgressBar::chunk {
    background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #00b000, stop:1 yellow);
}
)";

}  // namespace

TfrmProcess::TfrmProcess(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmProcess"));
    setWindowTitle(lang::kProcessCaption);
    setModal(false);
    setFixedSize(kClientWidth, kClientHeight);

    ProgBar = new QProgressBar(this);
    ProgBar->setObjectName(QStringLiteral("ProgBar"));
    ProgBar->setGeometry(6, 12, 369, 20);
    ProgBar->setRange(0, 100);
    ProgBar->setFormat(lang::kProgressFormat);
    ProgBar->setAlignment(Qt::AlignCenter);
    ProgBar->setStyleSheet(QString::fromLatin1(kProgressStyle));

    btnAbort = new QPushButton(lang::kBtnAbort, this);
    btnAbort->setObjectName(QStringLiteral("btnAbort"));
    btnAbort->setGeometry((kClientWidth - 90) / 2, 46, 90, 27);
    btnAbort->setAutoDefault(false);
    connect(btnAbort, &QPushButton::clicked, this, &TfrmProcess::AbortClicked);
}

void TfrmProcess::SetProgress(int percent) { ProgBar->setValue(percent); }

int TfrmProcess::Progress() const { return ProgBar->value(); }

void TfrmProcess::showEvent(QShowEvent* event)
{
    CenterOnScreen(*this);
    QDialog::showEvent(event);
}

}  // namespace sm
