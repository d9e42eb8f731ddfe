#include "sheet/ui/ThumbWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

#include "capture/ShotList.h"
#include "capture/ShotPicture.h"
#include "common/ColorValue.h"
#include "common/QImageAdapter.h"
#include "imaging/Resize.h"
#include "settings/GuardedCommand.h"
#include "settings/Prompts.h"
#include "settings/Texts.h"
#include "sheet/SheetComposition.h"
#include "sheet/SheetFileTypes.h"

namespace sm {

namespace {

constexpr int kLeftPanelWidth = 225;
constexpr int kGridPictureSize = 60;
constexpr int kGridRowHeight = 64;
constexpr int kTickColumnWidth = 30;
constexpr int kRebuildTicks = 3;  // the rebuild comes on the tick after these
constexpr int kTimerInterval = 600;

// Nearest integer, halves to even (the default rounding mode).
int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

QSpinBox* SpinBox(const char* name, int minimum, int maximum)
{
    auto* box = new QSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, maximum);
    return box;
}

// The grid of shots. A row the user moves to flips its tick; the current cell the view
// takes by itself when the focus comes to it without one (from a box of another page, as
// the pages switch) is no choice of the user: the grid says so while it sets it, and drops
// it again, so that the user's first click on that row still counts.
class ShotGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    bool takingCurrentOnFocus() const { return takingCurrentOnFocus_; }

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        const bool hadCurrent = currentIndex().isValid();
        takingCurrentOnFocus_ = true;
        QTableWidget::focusInEvent(event);
        takingCurrentOnFocus_ = false;
        if (!hadCurrent && currentIndex().isValid())
            selectionModel()->clearCurrentIndex();
    }

private:
    bool takingCurrentOnFocus_ = false;
};

QToolButton* ToolButton(const char* name, const QString& text, const QString& hint)
{
    auto* button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolTip(hint);
    return button;
}

}  // namespace

TfrmThumb::TfrmThumb(AppSettings& settings, const ShotList& shots, VideoFacts video, Prompts& prompts,
                     Encoders& encoders, QString& saveFolder, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      shots_(shots),
      video_(std::move(video)),
      prompts_(prompts),
      encoders_(encoders),
      saveFolder_(saveFolder)
{
    setObjectName(QStringLiteral("frmThumb"));
    setWindowTitle(lang::kThumbCaptionCount.arg(lang::kThumbCaption, lang::kShotCount.arg(shots_.RowCount())));
    sheetBitmap_ = Bitmap(0, 0, 24);
    scratchBitmap_ = Bitmap(0, 0, 24);

    auto command = [this](const char* name, const QString& caption, const QString& hint, void (TfrmThumb::*run)()) {
        auto* act = new QAction(caption, this);
        act->setObjectName(QLatin1String(name));
        act->setToolTip(hint);
        connect(act, &QAction::triggered, this, [this, run] { guarded([&] { (this->*run)(); }); });
        return act;
    };
    ActShots2Thumb
        = command("ActShots2Thumb", lang::kThumbCaption, lang::kHintApply, &TfrmThumb::ActShots2ThumbExecute);
    ActSave = command("ActSave", lang::kActSave, lang::kHintSave, &TfrmThumb::ActSaveExecute);
    ActExit = new QAction(lang::kActExit, this);
    ActExit->setObjectName(QStringLiteral("ActExit"));
    ActExit->setToolTip(lang::kHintClose);
    connect(ActExit, &QAction::triggered, this, &QDialog::reject);

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolBar->addAction(ActShots2Thumb);
    toolBar->addAction(ActSave);
    toolBar->addAction(ActExit);
    const char* buttonNames[] = {"btnApply", "btnSave", "btnClose"};
    for (int i = 0; i < 3; ++i)
        toolBar->widgetForAction(toolBar->actions()[i])->setObjectName(QLatin1String(buttonNames[i]));

    TabBarLeft = new QTabBar;
    TabBarLeft->setObjectName(QStringLiteral("TabBarLeft"));
    TabBarLeft->addTab(lang::kTabSheetSettings);
    TabBarLeft->addTab(lang::kTabSheetShots);
    TabBarLeft->addTab(lang::kTabSheetAttachment);
    pcLEFTM = new QStackedWidget;
    pcLEFTM->setObjectName(QStringLiteral("pcLEFTM"));
    pcLEFTM->addWidget(createSettingsPage());
    pcLEFTM->addWidget(createShotsPage());
    pcLEFTM->addWidget(createAttachmentPage());
    auto* btnApplyNow = new QPushButton(lang::kBtnApplyNow);
    btnApplyNow->setObjectName(QStringLiteral("btnApplyNow"));
    connect(btnApplyNow, &QPushButton::clicked, ActShots2Thumb, &QAction::trigger);

    auto* left = new QWidget;
    left->setFixedWidth(kLeftPanelWidth);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(TabBarLeft);
    leftLayout->addWidget(pcLEFTM, 1);
    leftLayout->addWidget(btnApplyNow);

    ImgView = new QLabel;
    ImgView->setObjectName(QStringLiteral("ImgView"));
    ScrollMain = new QScrollArea;
    ScrollMain->setObjectName(QStringLiteral("ScrollMain"));
    ScrollMain->setWidget(ImgView);
    ScrollMain->setAlignment(Qt::AlignCenter);  // CenterPreview's rule: centred while smaller than the box
    QPalette workspace = ScrollMain->palette();
    const std::uint32_t bgr = ColorToRGB(clAppWorkSpace);
    workspace.setColor(QPalette::Window, QColor(RedOf(bgr), GreenOf(bgr), BlueOf(bgr)));
    ScrollMain->setPalette(workspace);
    ScrollMain->setBackgroundRole(QPalette::Window);

    auto* status = new QStatusBar;
    sbThumb = new QLabel;
    sbThumb->setObjectName(QStringLiteral("sbThumb"));
    status->addWidget(sbThumb, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(left);
    body->addWidget(ScrollMain, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->addWidget(toolBar);
    layout->addLayout(body, 1);
    layout->addWidget(status);

    TimerMake = new QTimer(this);
    TimerMake->setObjectName(QStringLiteral("TimerMake"));
    TimerMake->setInterval(kTimerInterval);
    connect(TimerMake, &QTimer::timeout, this, &TfrmThumb::TimerMakeTimer);

    bindControls();
    resize(780, 560);
}

TfrmThumb::~TfrmThumb()
{
    QStringList userLines;
    for (int i = kFixedInfoLines; i < cbAddText->count(); ++i)
        userLines << cbAddText->item(i)->text();
    settings_.AddText = AddTextFrom(userLines);
}

QWidget* TfrmThumb::createSettingsPage()
{
    edtThumbWidth = SpinBox("edtThumbWidth", 0, 9999);
    edtThumbHeight = SpinBox("edtThumbHeight", 0, 9999);
    cbAspectRatio = new QCheckBox(lang::kCbAspectRatio);
    cbAspectRatio->setObjectName(QStringLiteral("cbAspectRatio"));
    cbAspectRatio->setChecked(true);
    edtRows = SpinBox("edtRows", 1, 999);
    edtCols = SpinBox("edtCols", 1, 999);
    edtSpace = SpinBox("edtSpace", 0, 999);
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->addRow(lang::kLbThumbWidth, edtThumbWidth);
    form->addRow(lang::kLbThumbHeight, edtThumbHeight);
    form->addRow(cbAspectRatio);
    form->addRow(lang::kLbRows, edtRows);
    form->addRow(lang::kLbCols, edtCols);
    form->addRow(lang::kLbSheetSpace, edtSpace);
    return page;
}

QWidget* TfrmThumb::createShotsPage()
{
    auto* grid = new ShotGrid(0, 3);
    connect(grid, &QTableWidget::currentCellChanged, this, [this, grid](int row) {
        if (!grid->takingCurrentOnFocus())
            ngPicsSelectCell(row);
    });
    ngPics = grid;
    ngPics->setObjectName(QStringLiteral("ngPics"));
    ngPics->horizontalHeader()->hide();
    ngPics->verticalHeader()->hide();
    ngPics->setColumnWidth(0, kTickColumnWidth);
    ngPics->setColumnWidth(1, kGridPictureSize + 4);
    ngPics->horizontalHeader()->setStretchLastSection(true);
    ngPics->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    ngPics->setIconSize(QSize(kGridPictureSize, kGridPictureSize));
    ngPics->setShowGrid(false);
    ngPics->setSelectionBehavior(QAbstractItemView::SelectRows);
    ngPics->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ngPics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return ngPics;
}

QWidget* TfrmThumb::createAttachmentPage()
{
    cbAddon = new QCheckBox(lang::kCbAddon);
    cbAddon->setObjectName(QStringLiteral("cbAddon"));
    cbLocation = new QComboBox;
    cbLocation->setObjectName(QStringLiteral("cbLocation"));
    cbLocation->addItems({lang::kLocationTop, lang::kLocationBottom});
    cbAddText = new QListWidget;
    cbAddText->setObjectName(QStringLiteral("cbAddText"));
    edNewInfo = new QLineEdit;
    edNewInfo->setObjectName(QStringLiteral("edNewInfo"));
    edNewInfo->setEnabled(false);
    btnAddInfo = ToolButton("btnAddInfo", QStringLiteral("+"), lang::kHintAddInfo);
    btnSubmit = ToolButton("btnSubmit", QStringLiteral("✓"), lang::kHintSubmit);
    btnSubmit->setEnabled(false);
    btnDelInfo = ToolButton("btnDelInfo", QStringLiteral("−"), lang::kHintDelInfo);
    btnDelInfo->setEnabled(false);
    auto* btnFont = new QPushButton(lang::kBtnAddonFont);
    btnFont->setObjectName(QStringLiteral("btnFont"));
    btnFont->setToolTip(lang::kHintFont);
    connect(btnFont, &QPushButton::clicked, this,
            [this] { guarded([this] { prompts_.ChooseFont(settings_.AddonFont); }); });

    auto* editRow = new QHBoxLayout;
    editRow->addWidget(edNewInfo, 1);
    editRow->addWidget(btnAddInfo);
    editRow->addWidget(btnSubmit);
    editRow->addWidget(btnDelInfo);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(cbAddon);
    layout->addWidget(cbLocation);
    layout->addWidget(cbAddText, 1);
    layout->addLayout(editRow);
    layout->addWidget(btnFont);
    return page;
}

void TfrmThumb::bindControls()
{
    connect(TabBarLeft, &QTabBar::currentChanged, pcLEFTM, &QStackedWidget::setCurrentIndex);
    connect(edtThumbWidth, &QSpinBox::valueChanged, this, [this] { LockedSizeChanged(edtThumbWidth); });
    connect(edtThumbHeight, &QSpinBox::valueChanged, this, [this] { LockedSizeChanged(edtThumbHeight); });
    for (QSpinBox* box : {edtRows, edtCols, edtSpace})
        connect(box, &QSpinBox::valueChanged, this, [this] {
            if (!updating_)
                StartRebuildCount();
        });
    connect(cbAddon, &QCheckBox::toggled, this, [this](bool on) { settings_.Addon = on; });
    connect(cbLocation, &QComboBox::currentIndexChanged, this, [this](int index) { settings_.TxtLocation = index; });
    connect(cbAddText, &QListWidget::currentRowChanged, this,
            [this](int row) { btnDelInfo->setEnabled(row >= kFixedInfoLines); });
    connect(btnAddInfo, &QToolButton::clicked, this, [this] {
        edNewInfo->clear();
        edNewInfo->setEnabled(true);
        btnSubmit->setEnabled(true);
        edNewInfo->setFocus();
    });
    connect(btnSubmit, &QToolButton::clicked, this, &TfrmThumb::SubmitNewLine);
    connect(edNewInfo, &QLineEdit::returnPressed, this, &TfrmThumb::SubmitNewLine);
    connect(btnDelInfo, &QToolButton::clicked, this, [this] {
        if (cbAddText->currentRow() >= kFixedInfoLines)
            delete cbAddText->takeItem(cbAddText->currentRow());
    });
}

void TfrmThumb::guarded(const std::function<void()>& handler) { RunGuarded(prompts_, handler); }

void TfrmThumb::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        guarded([this] { FormShow(); });
    }
}

void TfrmThumb::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    CenterPreview();
}

void TfrmThumb::FormShow()
{
    LoadSheetSettings();
    const TBitmapList& store = shots_.ShotBitmaps();
    if (store.Count() > 0 && !store[0].Bitmap.isEmpty()) {
        store[0].Bitmap.expandInto(scratchBitmap_);
        InitAspectRatio(scratchBitmap_);
    }
    UpdateSaveState();

    ngPics->setRowCount(0);
    const std::vector<ShotToSave> rows = shots_.ShotsInDisplayOrder();
    ngPics->setRowCount(int(rows.size()));
    Bitmap expanded;
    for (int i = 0; i < int(rows.size()); ++i) {
        auto* tick = new QTableWidgetItem;
        tick->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        tick->setCheckState(Qt::Checked);
        auto* picture = new QTableWidgetItem;
        picture->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        const ShotPicture& shot = rows[std::size_t(i)].Picture;
        if (shot
            && ResizeBitmapInto(shot.expandedIn(expanded), scratchBitmap_, kGridPictureSize, kGridPictureSize,
                                ResizeKeepAspect, clWhite))
            picture->setIcon(QPixmap::fromImage(ToQImage(scratchBitmap_)));
        auto* label = new QTableWidgetItem(rows[std::size_t(i)].Label);
        label->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        ngPics->setItem(i, 0, tick);
        ngPics->setItem(i, 1, picture);
        ngPics->setItem(i, 2, label);
    }
    TabBarLeft->setCurrentIndex(0);
    ActShots2ThumbExecute();
}

void TfrmThumb::LoadSheetSettings()
{
    edtThumbWidth->setValue(settings_.ThumbWidth);
    edtThumbHeight->setValue(settings_.ThumbHeight);
    edtCols->setValue(settings_.ThumbCols);
    edtRows->setValue(settings_.ThumbRows);
    edtSpace->setValue(settings_.ThumbSpace);
    cbAddon->setChecked(settings_.Addon);
    cbLocation->setCurrentIndex(settings_.TxtLocation == 0 ? 0 : 1);
    cbAddText->clear();
    cbAddText->addItems(InfoLineTexts(settings_));
    for (int i = 0; i < cbAddText->count(); ++i) {
        cbAddText->item(i)->setFlags(cbAddText->item(i)->flags() | Qt::ItemIsUserCheckable);
        cbAddText->item(i)->setCheckState(Qt::Checked);
    }
}

void TfrmThumb::StoreSheetSettings()
{
    settings_.ThumbWidth = edtThumbWidth->value();
    settings_.ThumbHeight = edtThumbHeight->value();
    settings_.ThumbCols = edtCols->value();
    settings_.ThumbRows = edtRows->value();
    settings_.ThumbSpace = edtSpace->value();
}

void TfrmThumb::InitAspectRatio(const Bitmap& bitmap)
{
    if (bitmap.width() < 2 || bitmap.height() < 2) {
        prompts_.Error(lang::kShotsTooSmall);
        return;
    }
    aspectRatio_ = double(bitmap.width()) / double(bitmap.height());
    if (cbAspectRatio->isChecked()) {
        updating_ = true;
        if (aspectRatio_ > 1)
            edtThumbHeight->setValue(RoundHalfEven(edtThumbWidth->value() / aspectRatio_));
        else
            edtThumbWidth->setValue(RoundHalfEven(edtThumbHeight->value() * aspectRatio_));
    }
    updating_ = false;
}

void TfrmThumb::LockedSizeChanged(QSpinBox* changed)
{
    if (!cbAspectRatio->isChecked() || updating_)
        return;
    updating_ = true;
    if (changed == edtThumbWidth)
        edtThumbHeight->setValue(RoundHalfEven(edtThumbWidth->value() / aspectRatio_));
    else
        edtThumbWidth->setValue(RoundHalfEven(edtThumbHeight->value() * aspectRatio_));
    StartRebuildCount();
    updating_ = false;
}

void TfrmThumb::StartRebuildCount()
{
    timerTicks_ = 0;
    TimerMake->start();
}

void TfrmThumb::TimerMakeTimer()
{
    if (timerTicks_ < kRebuildTicks) {
        ++timerTicks_;
        return;
    }
    // Stopped first: a rebuild that fails must not come back every 600 ms with its message.
    TimerMake->stop();
    timerTicks_ = 0;
    guarded([this] { ActShots2ThumbExecute(); });
}

void TfrmThumb::ngPicsSelectCell(int row)
{
    if (row < 0 || !ngPics->item(row, 0))
        return;
    QTableWidgetItem* tick = ngPics->item(row, 0);
    tick->setCheckState(tick->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void TfrmThumb::SubmitNewLine()
{
    const std::optional<QString> line = AcceptedNewLine(edNewInfo->text());
    if (!line)
        return;
    auto* item = new QListWidgetItem(*line, cbAddText);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    edNewInfo->setEnabled(false);
    btnSubmit->setEnabled(false);
}

std::vector<InfoLine> TfrmThumb::InfoLines() const
{
    std::vector<InfoLine> lines;
    for (int i = 0; i < cbAddText->count(); ++i)
        lines.push_back({cbAddText->item(i)->text(), cbAddText->item(i)->checkState() == Qt::Checked});
    return lines;
}

void TfrmThumb::ActShots2ThumbExecute()
{
    StoreSheetSettings();
    const std::vector<ShotToSave> rows = shots_.ShotsInDisplayOrder();
    std::vector<SheetShot> shots;
    shots.reserve(rows.size());
    for (int i = 0; i < int(rows.size()); ++i) {
        const QTableWidgetItem* tick = ngPics->item(i, 0);
        shots.push_back(
            {rows[std::size_t(i)].Label, rows[std::size_t(i)].Picture, !tick || tick->checkState() == Qt::Checked});
    }
    ComposeThumbSheet(sheetBitmap_, scratchBitmap_, shots, InfoLines(), video_, settings_);
    ImgView->setPixmap(QPixmap::fromImage(ToQImage(sheetBitmap_)));
    CenterPreview();
    sbThumb->setText(lang::kSheetSizeStatus.arg(sheetBitmap_.width()).arg(sheetBitmap_.height()));
    UpdateSaveState();
}

void TfrmThumb::CenterPreview()
{
    // The scroll box centres the preview while it is smaller than the box.
    ImgView->adjustSize();
    ImgView->update();
}

void TfrmThumb::UpdateSaveState() { ActSave->setEnabled(!ImgView->pixmap().isNull() && !sheetBitmap_.isEmpty()); }

void TfrmThumb::ActSaveExecute()
{
    const std::optional<QString> typed = prompts_.SaveFile(QString(), SheetSaveFilters(), saveFilterIndex_,
                                                           SheetFileNamePreset(video_.FileName), saveFolder_);
    if (!typed)
        return;
    const SheetSaveTarget target = SheetSaveTargetFor(*typed, saveFilterIndex_);
    // The dialog asked about the name as typed; one that got its extension here is asked about now.
    if (target.FileName != *typed && QFileInfo::exists(target.FileName)
        && !prompts_.Confirm(lang::kConfirmReplaceFile.arg(target.FileName)))
        return;
    SaveSheetFile(sheetBitmap_, target.FileName, target.Type, settings_, encoders_);
    // The next save proposes the type written and starts in its folder.
    saveFilterIndex_ = target.Type;
    saveFolder_ = QDir::toNativeSeparators(QFileInfo(target.FileName).absolutePath());
}

QString TfrmThumb::statusText() const { return sbThumb->text(); }

}  // namespace sm
