#pragma once

// Holds TIAMask: the text engine's classes keep the names its parts know them by; files say what they do.

#include <cstdint>
#include <stdexcept>
#include <vector>

#include <QPoint>
#include <QSize>
#include <QString>

namespace sm {

class Bitmap;
class TIAFont;

// A mask row outside the mask was asked for.
class EInvalidLine : public std::runtime_error {
public:
    EInvalidLine();
};

// The size a text needs in a mask, and where its start point lies inside that box
// (not (0, 0) only for rotated text).
struct MaskExtent {
    QSize size{0, 0};
    QPoint origin;
    friend bool operator==(const MaskExtent&, const MaskExtent&) = default;
};

// An 8-bit coverage mask of one line of text (0 no ink, 255 full ink), drawn at a
// multiple of its size and averaged down, with in-place effects. It reads the target
// canvas's font through its owner renderer, which it never outlives.
class TIAMask {
public:
    explicit TIAMask(TIAFont* owner);

    // Quality 0..3 picks 4 x 4, 3 x 3, 2 x 2 or no supersampling; other values mean none.
    void SetQuality(int quality);
    int quality() const { return quality_; }
    int scale() const { return scale_; }

    int width() const { return width_; }
    int height() const { return height_; }
    // Bytes per mask row: the width rounded up to a multiple of 4.
    int rowBytes() const { return rowBytes_; }
    // Bytes per row of the supersampled drawing of the last render.
    int hiResRowBytes() const { return hiResRowBytes_; }

    // The mask size for the text in the owner's current font: rounded up from the
    // supersampled extent, widened for italic text, and for a rotated font the bounding
    // box of the turned text with the start point's place in it. (0, 0) without a canvas.
    MaskExtent Measure(const QString& text) const;
    // Renders the text into a mask of `size`, its start point at `offset` (plus the
    // rotation origin). Nothing without a canvas. Throws std::bad_alloc or
    // std::length_error when the memory for the drawing cannot be had; the mask is then
    // unchanged.
    void Render(const QString& text, QSize size, QPoint offset);
    // Measure, then Render at (0, 0).
    void Build(const QString& text);

    // Replaces the glyphs by their contours; the outer ring of pixels keeps its values,
    // and masks under 3 x 3 stay as they are.
    void Outline();
    // Moves every pixel toward the mean of its 5 x 5 neighbourhood (indices clamped into
    // the mask): amount 100 all the way, 50 half way; amounts are clamped to 0..100.
    void Blur(int amount);
    // Replaces every pixel by one picked at random up to `amount` pixels away (clamped
    // to 0..100), in place, rows from the top.
    void Spray(int amount);
    void MirrorHorz();
    void MirrorVert();

    // Row r of the mask, row 0 at the top of the text. Throws EInvalidLine for r outside
    // 0..height - 1.
    std::uint8_t* Lines(int r);
    const std::uint8_t* Lines(int r) const;

    // Copies size, quality and pixels; the owner stays.
    void Assign(const TIAMask& source);

private:
    static int ScaleFor(int quality);
    std::size_t RowOffset(int r) const;
    void Downsample(const Bitmap& drawing, std::vector<std::uint8_t>& bits) const;

    TIAFont* owner_;
    int quality_ = 1;
    int scale_ = 3;
    int width_ = 0;
    int height_ = 0;
    int rowBytes_ = 0;
    int hiResRowBytes_ = 0;
    // Rows bottom-up: row r starts at (height - 1 - r) x rowBytes.
    std::vector<std::uint8_t> bits_;
};

}  // namespace sm
