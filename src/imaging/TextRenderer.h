#pragma once

// Holds TIAFont: the text engine's classes keep the names its parts know them by; files say what they do.

#include <QSize>
#include <QString>

#include "common/Canvas.h"
#include "imaging/GlyphMask.h"
#include "imaging/MaskBlend.h"
#include "imaging/RandomSource.h"
#include "imaging/TextEffectSettings.h"
#include "imaging/TextRasterizer.h"

namespace sm {

// Measures text in the font of a target canvas (not owned; may be null), anti-aliased
// through its mask. Not copyable: mask and blender point back to it.
class TIAFont {
public:
    explicit TIAFont(Canvas* canvas, const TextRasterizer& rasterizer = DefaultTextRasterizer());
    TIAFont(const TIAFont&) = delete;
    TIAFont& operator=(const TIAFont&) = delete;
    virtual ~TIAFont() = default;

    Canvas* canvas() const { return canvas_; }
    TIAMask& mask() { return mask_; }
    TIABlend& blend() { return blend_; }
    const TextRasterizer& rasterizer() const { return rasterizer_; }
    RandomSource& random() { return random_; }

    // The canvas font as the rasteriser gets it, turned while a rotated call runs.
    // Only meaningful with a canvas.
    LogicalFont CurrentFont() const;

    // The pixel size the text needs; (0, 0) without a canvas.
    virtual QSize TextExtent(const QString& text);
    int TextWidth(const QString& text) { return TextExtent(text).width(); }
    int TextHeight(const QString& text) { return TextExtent(text).height(); }

    // Anti-aliasing quality 0..3 (4 x 4 .. no supersampling); a new renderer has 1.
    void SetQuality(int quality) { mask_.SetQuality(quality); }

protected:
    // Turns the canvas font by `angle` degrees for the lifetime of the scope (nothing for
    // 0), and turns it back also when the call fails.
    class RotatedFont {
    public:
        RotatedFont(TIAFont& renderer, int angle);
        ~RotatedFont();
        RotatedFont(const RotatedFont&) = delete;
        RotatedFont& operator=(const RotatedFont&) = delete;

    private:
        TIAFont& renderer_;
        int previous_;
    };

private:
    Canvas* canvas_;
    const TextRasterizer& rasterizer_;
    RandomSource random_;
    int escapement_ = 0;
    TIAMask mask_{this};
    TIABlend blend_{this};
};

// Draws text with effects (shadow, blur, outline, spray, mirrors, rotation, texture,
// gradient or noise fill, opacity) onto the target canvas.
class TIAFontEx : public TIAFont {
public:
    explicit TIAFontEx(Canvas* canvas, const TextRasterizer& rasterizer = DefaultTextRasterizer());

    TIAEffect& Effect() { return effect_; }

    // The rotated extent, grown by the shadow's offsets when the shadow is on.
    QSize TextExtent(const QString& text) override;

    // Draws the text so that the top-left corner of its extent lies at (x, y): the
    // letters there (shifted right or down by a negative shadow offset), the shadow at
    // its offset. Nothing without a canvas or for an empty text. Parts outside the
    // canvas are clipped. The canvas font and brush style are as before afterwards,
    // also when it throws (EInvalidLine, EInvalidForeBmp, std::bad_alloc,
    // std::length_error).
    void TextOut(int x, int y, const QString& text);

private:
    void FillAndBlend(QPoint origin);

    TIAEffect effect_;
};

}  // namespace sm
