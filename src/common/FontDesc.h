#pragma once

#include <QString>

#include "common/ColorValue.h"

namespace sm {

// A font as the settings store and the dialogs describe it; the text engine turns it
// into a rasteriser font.
struct FontDesc {
    enum Style : int { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    enum Pitch : int { DefaultPitch = 0, VariablePitch = 1, FixedPitch = 2 };

    QString name = QStringLiteral("Verdana");
    ColorValue color = clBlack;
    int size = 10;    // points
    int charSet = 1;  // 1 = the default character set
    int style = 0;    // Style bits
    int pitch = DefaultPitch;

    bool bold() const { return style & Bold; }
    bool italic() const { return style & Italic; }
    bool underline() const { return style & Underline; }
    bool strikeOut() const { return style & StrikeOut; }

    friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

}  // namespace sm
