#include "imaging/TextRenderer.h"

#include <algorithm>
#include <cstdlib>

#include "imaging/ForegroundFills.h"

namespace sm {

TIAFont::TIAFont(Canvas* canvas, const TextRasterizer& rasterizer) : canvas_(canvas), rasterizer_(rasterizer) {}

LogicalFont TIAFont::CurrentFont() const
{
    LogicalFont font = canvas_ ? LogicalFontFromDesc(canvas_->font) : LogicalFont{};
    font.escapement = escapement_;
    return font;
}

QSize TIAFont::TextExtent(const QString& text) { return mask_.Measure(text).size; }

TIAFont::RotatedFont::RotatedFont(TIAFont& renderer, int angle) : renderer_(renderer), previous_(renderer.escapement_)
{
    if (angle != 0)
        renderer_.escapement_ = angle * 10;
}

TIAFont::RotatedFont::~RotatedFont() { renderer_.escapement_ = previous_; }

TIAFontEx::TIAFontEx(Canvas* canvas, const TextRasterizer& rasterizer) : TIAFont(canvas, rasterizer) {}

QSize TIAFontEx::TextExtent(const QString& text)
{
    QSize extent;
    {
        RotatedFont rotated(*this, effect_.Angle());
        extent = TIAFont::TextExtent(text);
    }
    const TIAShadow& shadow = effect_.Shadow();
    if (shadow.Enabled())
        extent += QSize(std::abs(shadow.OffsetX()), std::abs(shadow.OffsetY()));
    return extent;
}

namespace {

// Puts the canvas brush style back when the text pass is over, also when it fails.
class BrushStyleRestorer {
public:
    explicit BrushStyleRestorer(Canvas& canvas) : canvas_(canvas), style_(canvas.brushStyle) {}
    ~BrushStyleRestorer() { canvas_.brushStyle = style_; }
    BrushStyleRestorer(const BrushStyleRestorer&) = delete;
    BrushStyleRestorer& operator=(const BrushStyleRestorer&) = delete;

private:
    Canvas& canvas_;
    BrushStyle style_;
};

}  // namespace

void TIAFontEx::TextOut(int x, int y, const QString& text)
{
    Canvas* target = canvas();
    if (!target || text.isEmpty())
        return;
    RotatedFont rotated(*this, effect_.Angle());

    const TIAShadow& shadow = effect_.Shadow();
    QPoint textOrigin(x, y), shadowOrigin(x, y);
    if (shadow.Enabled()) {
        textOrigin += QPoint(std::max(0, -shadow.OffsetX()), std::max(0, -shadow.OffsetY()));
        shadowOrigin += QPoint(std::max(0, shadow.OffsetX()), std::max(0, shadow.OffsetY()));
    }

    TIAMask& letters = mask();
    letters.Build(text);
    if (effect_.Outline())
        letters.Outline();
    if (effect_.Spray() > 0)
        letters.Spray(effect_.Spray());
    if (effect_.HorzMirror())
        letters.MirrorHorz();
    if (effect_.VertMirror())
        letters.MirrorVert();

    BrushStyleRestorer brushStyle(*target);
    if (shadow.Enabled()) {
        // The shadow takes the letters' shape effects but not their blur.
        TIAMask shadowMask(this);
        shadowMask.Assign(letters);
        if (shadow.Blur() > 0)
            shadowMask.Blur(shadow.Blur());
        blend().BlendColor(shadowOrigin.x(), shadowOrigin.y(), shadow.Color(), effect_.Alpha() * shadow.Alpha() / 100,
                           shadowMask);
        // The letters then go over the picture with its shadow, not over an opaque box.
        target->brushStyle = BrushStyle::Clear;
    }
    if (effect_.Blur() > 0)
        letters.Blur(effect_.Blur());
    FillAndBlend(textOrigin);
}

void TIAFontEx::FillAndBlend(QPoint origin)
{
    const TIAMask& letters = mask();
    Bitmap& foreground = blend().Foreground();
    const ColorValue fontColor = canvas()->font.color;
    const int noise = effect_.Noise();
    if (effect_.Texture().Enabled() && !effect_.Texture().Picture().isEmpty()) {
        FillTexture(foreground, letters.width(), letters.height(), fontColor, effect_.Texture());
        if (noise > 0)
            AddNoise(foreground, noise, random());
    } else if (effect_.Gradual().Enabled()) {
        FillGradient(foreground, letters.width(), letters.height(), effect_.Gradual());
        if (noise > 0)
            AddNoise(foreground, noise, random());
    } else if (noise > 0) {
        FillNoise(foreground, letters.width(), letters.height(), fontColor, noise, random());
    } else {
        blend().BlendColor(origin.x(), origin.y(), fontColor, effect_.Alpha(), letters);
        return;
    }
    blend().BlendForeground(origin.x(), origin.y(), effect_.Alpha(), letters);
}

}  // namespace sm
