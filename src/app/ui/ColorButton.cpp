#include "app/ui/ColorButton.h"

#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidgetAction>

#include "settings/GuardedCommand.h"
#include "settings/Prompts.h"
#include "settings/Texts.h"

namespace sm {

namespace {

constexpr int kSwatchSize = 16;
constexpr int kFaceWidth = 48;
constexpr int kFaceHeight = 14;
constexpr int kPaletteColumns = 8;

struct NamedColor {
    const char* name;
    ColorValue value;
};

constexpr NamedColor kStandardColors[] = {
    {"clBlack", RgbColor(0, 0, 0)},       {"clMaroon", RgbColor(128, 0, 0)},    {"clGreen", RgbColor(0, 128, 0)},
    {"clOlive", RgbColor(128, 128, 0)},   {"clNavy", RgbColor(0, 0, 128)},      {"clPurple", RgbColor(128, 0, 128)},
    {"clTeal", RgbColor(0, 128, 128)},    {"clGray", RgbColor(128, 128, 128)},  {"clSilver", RgbColor(192, 192, 192)},
    {"clRed", RgbColor(255, 0, 0)},       {"clLime", RgbColor(0, 255, 0)},      {"clYellow", RgbColor(255, 255, 0)},
    {"clBlue", RgbColor(0, 0, 255)},      {"clFuchsia", RgbColor(255, 0, 255)}, {"clAqua", RgbColor(0, 255, 255)},
    {"clWhite", RgbColor(255, 255, 255)},
};

QIcon Swatch(ColorValue color, int width, int height)
{
    const std::uint32_t bgr = ColorToRGB(color);
    QPixmap pixmap(width, height);
    pixmap.fill(QColor(RedOf(bgr), GreenOf(bgr), BlueOf(bgr)));
    QPainter p(&pixmap);
    p.setPen(Qt::darkGray);
    p.drawRect(0, 0, width - 1, height - 1);
    return QIcon(pixmap);
}

}  // namespace

ColorButton::ColorButton(Prompts& prompts, QWidget* parent) : QToolButton(parent), prompts_(prompts)
{
    setPopupMode(QToolButton::InstantPopup);
    setIconSize(QSize(kFaceWidth, kFaceHeight));
    auto* menu = new QMenu(this);

    auto* palette = new QWidget(menu);
    auto* grid = new QGridLayout(palette);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(2);
    int cell = 0;
    for (const NamedColor& standard : kStandardColors) {
        auto* swatch = new QToolButton(palette);
        swatch->setObjectName(QLatin1String(standard.name));
        swatch->setIcon(Swatch(standard.value, kSwatchSize, kSwatchSize));
        swatch->setIconSize(QSize(kSwatchSize, kSwatchSize));
        swatch->setAutoRaise(true);
        connect(swatch, &QToolButton::clicked, this, [this, menu, value = standard.value] {
            SetColor(value);
            menu->close();
        });
        grid->addWidget(swatch, cell / kPaletteColumns, cell % kPaletteColumns);
        ++cell;
    }
    auto* paletteAction = new QWidgetAction(menu);
    paletteAction->setDefaultWidget(palette);
    menu->addAction(paletteAction);
    menu->addSeparator();
    QAction* other = menu->addAction(lang::kOtherColor);
    other->setObjectName(QStringLiteral("actOtherColor"));
    connect(other, &QAction::triggered, this, [this] { RunGuarded(prompts_, [this] { ChooseOther(); }); });
    setMenu(menu);
    SetColor(clBlack);
}

void ColorButton::SetColor(ColorValue color)
{
    color_ = color;
    setIcon(Swatch(color, kFaceWidth, kFaceHeight));
}

void ColorButton::ChooseOther()
{
    ColorValue chosen = color_;
    if (prompts_.ChooseColor(chosen))
        SetColor(chosen);
}

}  // namespace sm
