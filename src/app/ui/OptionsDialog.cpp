#include "app/ui/OptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <initializer_list>

#include "app/ui/ColorButton.h"
#include "common/Named.h"
#include "common/ui/CenterOnScreen.h"
#include "settings/GuardedCommand.h"
#include "settings/Prompts.h"
#include "settings/Texts.h"

namespace sm {

namespace {

constexpr int kClientWidth = 370;
constexpr int kClientHeight = 355;
constexpr int kRowSpacing = 5;  // between the rows of the standard page

QLabel* Label(const QString& text, const char* name, QWidget* parent) { return Named(new QLabel(text, parent), name); }

QSpinBox* SpinBox(const char* name, int minimum, int maximum, int maxLength, QWidget* parent)
{
    auto* box = Named(new QSpinBox(parent), name);
    box->setRange(minimum, maximum);
    box->findChild<QLineEdit*>()->setMaxLength(maxLength);
    return box;
}

QComboBox* DropDownList(const char* name, std::initializer_list<QString> items, QWidget* parent)
{
    auto* box = Named(new QComboBox(parent), name);
    for (const QString& item : items)
        box->addItem(item);
    return box;
}

// An index outside the list's entries leaves it without a selection.
void Select(QComboBox* box, int index) { box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1); }

// A check box keeps its dependent controls enabled exactly while it is checked; they
// start disabled, as the box starts unchecked.
void Governs(QCheckBox* box, std::initializer_list<QWidget*> dependents)
{
    for (QWidget* dependent : dependents)
        dependent->setEnabled(false);
    QObject::connect(box, &QCheckBox::toggled, box, [list = std::vector<QWidget*>(dependents)](bool on) {
        for (QWidget* dependent : list)
            dependent->setEnabled(on);
    });
}

}  // namespace

TfrmOption::TfrmOption(AppSettings& settings, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      settings_(settings),
      prompts_(prompts),
      values_(OptionValuesOf(settings))
{
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(lang::kOptionsCaption);
    setFixedSize(kClientWidth, kClientHeight);
    CenterOnScreen(*this);

    pcLEFTM = Named(new QTabWidget(this), "pcLEFTM");
    pcLEFTM->addTab(createStandardPage(), lang::kTabStandard);
    pcLEFTM->addTab(createThumbnailPage(), lang::kTabThumbnails);
    pcLEFTM->setCurrentIndex(0);
    // The standard page's rows fill it, so the skip box's row makes the dialog taller by
    // one row: every other control keeps its place.
    setFixedHeight(kClientHeight + cbSkipShots->sizeHint().height() + kRowSpacing);

    auto* btnOK = Named(new QPushButton(lang::kBtnOK, this), "btnOK");
    btnOK->setDefault(true);
    auto* btnCancel = Named(new QPushButton(lang::kBtnCancel, this), "btnCancel");
    connect(btnOK, &QPushButton::clicked, this, [this] { RunGuarded(prompts_, [this] { btnOKClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(pcLEFTM, 1);
    layout->addLayout(buttons);

    SettingsToControls();
}

QWidget* TfrmOption::createStandardPage()
{
    using namespace lang;
    auto* page = Named(new QWidget, "tsStandard");
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setVerticalSpacing(kRowSpacing);
    grid->setColumnStretch(4, 1);
    constexpr int kIndent = 18;  // dependent controls sit under their check box

    cbAddTime = Named(new QCheckBox(kCbAddTime, page), "cbAddTime");
    QLabel* lbFont = Label(kLbFont, "lbFont", page);
    btnFont = Named(new QPushButton(kBtnFont, page), "btnFont");
    connect(btnFont, &QPushButton::clicked, this, [this] { RunGuarded(prompts_, [this] { btnFontClick(); }); });
    QLabel* lbTimeTrans = Label(kLbTimeTrans, "lbTimeTrans", page);
    seTimeTrans = SpinBox("seTimeTrans", 0, 100, 3, page);
    QLabel* lbTimePosit = Label(kLbTimePosit, "lbTimePosit", page);
    cbTimePosit = DropDownList("cbTimePosit", {}, page);
    for (const QString& position : kTimePositions)
        cbTimePosit->addItem(position);
    Governs(cbAddTime, {lbFont, btnFont, lbTimeTrans, seTimeTrans, lbTimePosit, cbTimePosit});

    cbResize = Named(new QCheckBox(kCbResize, page), "cbResize");
    QLabel* lbShotsWidth = Label(kLbShotsWidth, "lbShotsWidth", page);
    seShotsWidth = SpinBox("seShotsWidth", 0, 9999, 4, page);
    QLabel* lbShotsHeight = Label(kLbShotsHeight, "lbShotsHeight", page);
    seShotsHeight = SpinBox("seShotsHeight", 0, 9999, 4, page);
    Governs(cbResize, {lbShotsWidth, seShotsWidth, lbShotsHeight, seShotsHeight});

    // 0 takes each frame right after its seek, without letting the video play on.
    seSpeed = SpinBox("seSpeed", 0, 100, 3, page);
    cbStopSound = Named(new QCheckBox(kCbStopSound, page), "cbStopSound");
    cbAdd2List = Named(new QCheckBox(kCbAdd2List, page), "cbAdd2List");
    cbAggregate = Named(new QCheckBox(kCbAggregate, page), "cbAggregate");
    cbSkipShots = Named(new QCheckBox(kCbSkipShots, page), "cbSkipShots");

    int row = 0;
    grid->addWidget(cbAddTime, row++, 0, 1, 5);
    grid->setColumnMinimumWidth(0, kIndent);
    grid->addWidget(lbFont, row, 1);
    grid->addWidget(btnFont, row, 2);
    grid->addWidget(lbTimeTrans, row, 3, Qt::AlignRight);
    grid->addWidget(seTimeTrans, row++, 4);
    grid->addWidget(lbTimePosit, row, 1);
    grid->addWidget(cbTimePosit, row++, 2);
    grid->addWidget(cbResize, row++, 0, 1, 5);
    grid->addWidget(lbShotsWidth, row, 1);
    grid->addWidget(seShotsWidth, row, 2);
    grid->addWidget(lbShotsHeight, row, 3, Qt::AlignRight);
    grid->addWidget(seShotsHeight, row++, 4);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(Label(kLbSpeed, "lbSpeed", page));
    speedRow->addWidget(seSpeed);
    speedRow->addStretch();
    grid->addLayout(speedRow, row++, 0, 1, 5);
    for (QCheckBox* box : {cbStopSound, cbAdd2List, cbAggregate, cbSkipShots})
        grid->addWidget(box, row++, 0, 1, 5);
    grid->setRowStretch(row, 1);
    return page;
}

QWidget* TfrmOption::createThumbnailPage()
{
    using namespace lang;
    auto* page = Named(new QWidget, "tsThumbnail");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);

    auto* sizeGroup = Named(new QGroupBox(kGroupThumbSize, page), "gbThumbSize");
    auto* sizeLayout = new QGridLayout(sizeGroup);
    edtThumbWidth = SpinBox("edtThumbWidth", 0, 9999, 4, sizeGroup);
    edtThumbHeight = SpinBox("edtThumbHeight", 0, 9999, 4, sizeGroup);
    cbResizeType = DropDownList("cbResizeType", {kResizeTypes[0], kResizeTypes[1]}, sizeGroup);
    cbFillColor = Named(new ColorButton(prompts_, sizeGroup), "cbFillColor");
    sizeLayout->addWidget(Label(kLbThumbWidth, "lbThumbWidth", sizeGroup), 0, 0);
    sizeLayout->addWidget(edtThumbWidth, 0, 1);
    sizeLayout->addWidget(Label(kLbThumbHeight, "lbThumbHeight", sizeGroup), 0, 2, Qt::AlignRight);
    sizeLayout->addWidget(edtThumbHeight, 0, 3);
    sizeLayout->addWidget(Label(kLbResizeType, "lbResizeType", sizeGroup), 1, 0, 1, 4);
    sizeLayout->addWidget(cbResizeType, 2, 0, 1, 4);
    sizeLayout->addWidget(Label(kLbFillColor, "lbFillColor", sizeGroup), 3, 0, 1, 4);
    sizeLayout->addWidget(cbFillColor, 4, 0, 1, 2, Qt::AlignLeft);
    sizeLayout->setColumnStretch(1, 1);
    sizeLayout->setColumnStretch(3, 1);
    layout->addWidget(sizeGroup);

    auto* gridGroup = Named(new QGroupBox(kGroupRowsCols, page), "gbRowsCols");
    auto* gridLayout = new QGridLayout(gridGroup);
    edtRows = SpinBox("edtRows", 1, 999, 3, gridGroup);
    edtCols = SpinBox("edtCols", 1, 999, 3, gridGroup);
    edtSpace = SpinBox("edtSpace", 0, 999, 3, gridGroup);
    gridLayout->addWidget(Label(kLbRows, "lbRows", gridGroup), 0, 0);
    gridLayout->addWidget(edtRows, 0, 1);
    gridLayout->addWidget(Label(kLbCols, "lbCols", gridGroup), 0, 2, Qt::AlignRight);
    gridLayout->addWidget(edtCols, 0, 3);
    auto* spaceRow = new QHBoxLayout;
    spaceRow->addWidget(Label(kLbSpace, "lbSpace", gridGroup));
    spaceRow->addWidget(edtSpace);
    spaceRow->addStretch();
    gridLayout->addLayout(spaceRow, 1, 0, 1, 4);
    gridLayout->setColumnStretch(1, 1);
    gridLayout->setColumnStretch(3, 1);
    layout->addWidget(gridGroup);
    layout->addStretch();
    return page;
}

void TfrmOption::SettingsToControls()
{
    cbAddTime->setChecked(values_.AddTimeStamp);
    seTimeTrans->setValue(values_.TimeTrans);
    Select(cbTimePosit, values_.TimePosit);
    seSpeed->setValue(values_.CaptureSpeed);
    cbResize->setChecked(values_.NeedResize);
    cbStopSound->setChecked(values_.StopSound);
    seShotsWidth->setValue(values_.ShotsWidth);
    seShotsHeight->setValue(values_.ShotsHeight);
    edtThumbWidth->setValue(values_.ThumbWidth);
    edtThumbHeight->setValue(values_.ThumbHeight);
    edtCols->setValue(values_.ThumbCols);
    edtRows->setValue(values_.ThumbRows);
    edtSpace->setValue(values_.ThumbSpace);
    Select(cbResizeType, values_.ResizeType);
    cbFillColor->SetColor(values_.FillColor);
    cbAdd2List->setChecked(values_.Add2List);
    cbAggregate->setChecked(values_.Aggregate);
    cbSkipShots->setChecked(values_.SkipBlank || values_.SkipBlurred);
}

void TfrmOption::btnFontClick()
{
    // The dialog edits a copy, so that a cancelled choice leaves the working font as it was.
    FontDesc chosen = values_.TimeFont;
    if (prompts_.ChooseFont(chosen))
        values_.TimeFont = chosen;
}

void TfrmOption::btnOKClick()
{
    values_.AddTimeStamp = cbAddTime->isChecked();
    values_.TimeTrans = seTimeTrans->value();
    values_.TimePosit = cbTimePosit->currentIndex();
    values_.CaptureSpeed = seSpeed->value();
    values_.NeedResize = cbResize->isChecked();
    values_.StopSound = cbStopSound->isChecked();
    values_.ShotsWidth = seShotsWidth->value();
    values_.ShotsHeight = seShotsHeight->value();
    values_.ThumbWidth = edtThumbWidth->value();
    values_.ThumbHeight = edtThumbHeight->value();
    values_.ThumbCols = edtCols->value();
    values_.ThumbRows = edtRows->value();
    values_.ThumbSpace = edtSpace->value();
    values_.ResizeType = cbResizeType->currentIndex();
    values_.FillColor = cbFillColor->Color();
    values_.Add2List = cbAdd2List->isChecked();
    values_.Aggregate = cbAggregate->isChecked();
    // The one box stands for both switches: a change sets both, and a box left as it was
    // shown keeps them as they were, also when only one of them is on.
    if (cbSkipShots->isChecked() != (values_.SkipBlank || values_.SkipBlurred))
        values_.SkipBlank = values_.SkipBlurred = cbSkipShots->isChecked();
    StoreOptionValues(values_, settings_);
    accept();
}

}  // namespace sm
