#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include "common/Bitmap.h"
#include "common/FontDesc.h"

namespace sm {

// A font as the text engine asks a rasteriser for it.
struct LogicalFont {
    QString face;
    int height = 0;    // character (em) height in pixels
    int width = 0;     // average character width in pixels, 0 for the face's own
    int weight = 400;  // 100..900, 400 regular, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 1;
    int pitch = FontDesc::DefaultPitch;
    int escapement = 0;  // rotation in tenths of a degree, counter-clockwise on screen

    friend bool operator==(const LogicalFont&, const LogicalFont&) = default;
};

// The font for a description, its point size turned into pixels at 96 dots per inch
// (size 8 -> 11 pixels, size 10 -> 13), not rotated.
LogicalFont LogicalFontFromDesc(const FontDesc& desc);

// Measures and draws one line of text in a logical font.
class TextRasterizer {
public:
    virtual ~TextRasterizer() = default;

    // The unrotated extent of the text: its advance width and the font's cell height
    // (ascent plus descent). An empty text is 0 wide.
    virtual QSize measure(const LogicalFont& font, const QString& text) const = 0;

    // Draws the text in white over an 8-bit grey bitmap whose pixel values are grey
    // levels (0 no ink, 255 full ink). `start` is the top-left corner of the
    // text cell; a font with an escapement turns the text about that point. Whatever
    // falls outside the bitmap is clipped.
    virtual void draw(const LogicalFont& font, const QString& text, QPoint start, Bitmap& grey) const = 0;
};

// The rasteriser on the installed fonts (QtGui). Needs a QGuiApplication; without one
// it throws std::logic_error.
const TextRasterizer& DefaultTextRasterizer();

}  // namespace sm
