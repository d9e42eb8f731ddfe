#include "viewer/ui/ShotViewer.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

#include "common/ColorValue.h"
#include "common/QImageAdapter.h"
#include "common/ui/CenterOnScreen.h"
#include "settings/Texts.h"

namespace sm {

namespace {

constexpr int kWidth = 780;
constexpr int kHeight = 560;

}  // namespace

// The scroll box's content: as large as the box and at least as large as the picture,
// keeping the picture control ImgView at PictureOrigin whenever either size changes.
class PictureCanvas : public QWidget {
public:
    explicit PictureCanvas(QWidget* parent) : QWidget(parent), ImgView(new QLabel(this))
    {
        ImgView->setObjectName(QStringLiteral("ImgView"));
        const std::uint32_t workspace = ColorToRGB(clAppWorkSpace);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, QColor(RedOf(workspace), GreenOf(workspace), BlueOf(workspace)));
        setPalette(palette);
        setAutoFillBackground(true);
    }

    void SetPicture(const QPixmap& picture)
    {
        ImgView->setPixmap(picture);
        ImgView->resize(picture.size());
        setMinimumSize(picture.size());
        Centre();
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        Centre();
    }

private:
    void Centre() { ImgView->move(PictureOrigin(ImgView->size(), size())); }

    QLabel* ImgView;
};

TfrmView::TfrmView(std::vector<ShotToSave> shots, int selectedRow, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      shots_(std::move(shots)),
      position_(int(shots_.size()), selectedRow)
{
    setObjectName(QStringLiteral("frmView"));
    setWindowTitle(lang::kViewerCaption);
    resize(kWidth, kHeight);
    CenterOnScreen(*this);

    auto* coolBar = new QWidget(this);
    coolBar->setObjectName(QStringLiteral("CoolBarView"));
    auto* coolLayout = new QHBoxLayout(coolBar);
    coolLayout->setContentsMargins(2, 2, 2, 2);
    auto* toolBar = new QToolBar(coolBar);
    toolBar->setObjectName(QStringLiteral("ToolBarView"));
    auto button = [this, toolBar](const char* name, const QString& hint, QStyle::StandardPixmap picture) {
        auto* b = new QToolButton(toolBar);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setIcon(style()->standardIcon(picture));
        b->setAutoRaise(true);
        // The arrow keys belong to the window, not to a focused button or the scroll box.
        b->setFocusPolicy(Qt::NoFocus);
        toolBar->addWidget(b);
        return b;
    };
    ToolBtnPre = button("ToolBtnPre", lang::kHintPreviousShot, QStyle::SP_ArrowLeft);
    ToolBtnPre->setProperty("Tag", -1);
    ToolBtnNext = button("ToolBtnNext", lang::kHintNextShot, QStyle::SP_ArrowRight);
    ToolBtnNext->setProperty("Tag", 1);
    toolBar->addSeparator();
    ToolBtnExit = button("ToolBtnExit", lang::kHintCloseView, QStyle::SP_DialogCloseButton);
    for (QToolButton* step : {ToolBtnPre, ToolBtnNext})
        connect(step, &QToolButton::clicked, this, [this, step] { ToolBtnPreClick(*step); });
    connect(ToolBtnExit, &QToolButton::clicked, this, &QDialog::accept);
    coolLayout->addWidget(toolBar);
    coolLayout->addStretch();

    ScrollMain = new QScrollArea(this);
    ScrollMain->setObjectName(QStringLiteral("ScrollMain"));
    ScrollMain->setFocusPolicy(Qt::NoFocus);
    ScrollMain->setWidgetResizable(true);
    canvas_ = new PictureCanvas(ScrollMain);
    ScrollMain->setWidget(canvas_);

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("SBarView"));
    statusText_ = new QLabel(statusBar);
    statusText_->setObjectName(QStringLiteral("SBarViewText"));
    statusBar->addWidget(statusText_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(coolBar);
    layout->addWidget(ScrollMain, 1);
    layout->addWidget(statusBar);
}

void TfrmView::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && position_.Count() > 0)
        ShowCurrent(false);
}

void TfrmView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        ToolBtnPreClick(*ToolBtnPre);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        ToolBtnPreClick(*ToolBtnNext);
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TfrmView::ToolBtnPreClick(const QToolButton& sender)
{
    if (position_.Count() == 0)
        return;
    position_.Move(sender.property("Tag").toInt());
    ShowCurrent(true);
}

void TfrmView::ShowCurrent(bool moved)
{
    ToolBtnPre->setEnabled(position_.CanGoBack());
    ToolBtnNext->setEnabled(position_.CanGoForward());
    const ShotToSave& shot = shots_[std::size_t(position_.Current())];
    // A shot without a picture leaves the previous one on screen.
    const bool hasPicture = !shot.Picture.isEmpty();
    if (hasPicture)
        canvas_->SetPicture(QPixmap::fromImage(ToQImage(shot.Picture.expand())));
    if (hasPicture || moved)
        statusText_->setText(shot.Label);
}

}  // namespace sm
