#pragma once

#include <QToolButton>

#include "common/ColorValue.h"

namespace sm {

class Prompts;

// A button that shows a colour and opens a palette of the sixteen standard colours
// with "其它(&O)..." under it for any other colour (the prompts' colour dialog). A
// colour set from outside, a system colour included, stays exactly as it was until
// the user picks another.
class ColorButton : public QToolButton {
    Q_OBJECT
public:
    ColorButton(Prompts& prompts, QWidget* parent = nullptr);

    ColorValue Color() const { return color_; }
    void SetColor(ColorValue color);

private:
    void ChooseOther();

    Prompts& prompts_;
    ColorValue color_ = clBlack;
};

}  // namespace sm
