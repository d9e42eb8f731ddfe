#include "imaging/GlyphMask.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <numbers>

#include "common/AnsiText.h"
#include "common/Bitmap.h"
#include "imaging/TextRenderer.h"
#include "settings/Texts.h"

namespace sm {

EInvalidLine::EInvalidLine() : std::runtime_error(lang::kInvalidLine.toStdString()) {}

namespace {

int CheckedProduct(int a, int b)
{
    const long long product = static_cast<long long>(a) * b;
    if (product > std::numeric_limits<int>::max())
        throw std::length_error("Text mask too large");
    return static_cast<int>(product);
}

int RoundedUpTo4(int n) { return (n + 3) / 4 * 4; }

// Round to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

TIAMask::TIAMask(TIAFont* owner) : owner_(owner) {}

int TIAMask::ScaleFor(int quality)
{
    switch (quality) {
    case 0:
        return 4;
    case 1:
        return 3;
    case 2:
        return 2;
    default:
        return 1;
    }
}

void TIAMask::SetQuality(int quality)
{
    quality_ = quality;
    scale_ = ScaleFor(quality);
}

MaskExtent TIAMask::Measure(const QString& text) const
{
    MaskExtent result;
    if (!owner_ || !owner_->canvas())
        return result;
    LogicalFont font = owner_->CurrentFont();
    font.height = CheckedProduct(font.height, scale_);
    font.width = CheckedProduct(font.width, scale_);
    const QSize cell = owner_->rasterizer().measure(font, text);
    int width = (cell.width() + scale_ - 1) / scale_;
    int height = (cell.height() + scale_ - 1) / scale_;
    if (font.italic && !text.isEmpty()) {
        // Slanted glyphs overhang their advance; widen by 30 % of an average character,
        // its size counted in the bytes of a stored text.
        const int n = AnsiByteCount(text);
        width += RoundHalfEven(double(width) / double(n) * 0.3);
    }
    if (font.escapement == 0) {
        result.size = QSize(width, height);
        return result;
    }
    const double theta = font.escapement * std::numbers::pi / 1800.0;
    const double hw = width / 2.0, hh = height / 2.0;
    const double co = std::cos(-theta), si = std::sin(-theta);
    const QPoint corners[4] = {
        {RoundHalfEven(hh * si - hw * co), RoundHalfEven(-hw * si - hh * co)},
        {RoundHalfEven(hw * co + hh * si), RoundHalfEven(hw * si - hh * co)},
        {RoundHalfEven(-hw * co - hh * si), RoundHalfEven(hh * co - hw * si)},
        {RoundHalfEven(hw * co - hh * si), RoundHalfEven(hw * si + hh * co)},
    };
    int minX = corners[0].x(), maxX = minX, minY = corners[0].y(), maxY = minY;
    for (const QPoint& p : corners) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    result.size = QSize(maxX - minX, maxY - minY);
    // corners[0] is the text's own top-left corner, where drawing starts.
    result.origin = QPoint(result.size.width() / 2 + corners[0].x(), result.size.height() / 2 + corners[0].y());
    return result;
}

void TIAMask::Render(const QString& text, QSize size, QPoint offset)
{
    if (!owner_ || !owner_->canvas())
        return;
    const int width = std::max(size.width(), 0), height = std::max(size.height(), 0);
    Bitmap drawing(CheckedProduct(width, scale_), CheckedProduct(height, scale_), 8);
    LogicalFont font = owner_->CurrentFont();
    font.height = CheckedProduct(font.height, scale_);
    font.width = CheckedProduct(font.width, scale_);
    QPoint start = offset * scale_;
    if (font.escapement != 0)
        start += Measure(text).origin * scale_;
    owner_->rasterizer().draw(font, text, start, drawing);

    const int rowBytes = RoundedUpTo4(width);
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(rowBytes) * height);
    width_ = width;
    height_ = height;
    rowBytes_ = rowBytes;
    hiResRowBytes_ = static_cast<int>(drawing.stride());
    Downsample(drawing, bits);
    bits_.swap(bits);
}

void TIAMask::Downsample(const Bitmap& drawing, std::vector<std::uint8_t>& bits) const
{
    const int s = scale_;
    for (int r = 0; r < height_; ++r) {
        std::uint8_t* out = bits.data() + RowOffset(r);
        const std::uint8_t* p0 = drawing.row(r * s);
        switch (quality_) {
        case 0: {
            const std::uint8_t *p1 = drawing.row(r * s + 1), *p2 = drawing.row(r * s + 2), *p3 = drawing.row(r * s + 3);
            for (int i = 0, c = 0; i < width_; ++i, c += 4) {
                unsigned sum = 0;
                for (int b = 0; b < 4; ++b)
                    sum += p0[c + b] + p1[c + b] + p2[c + b] + p3[c + b];
                out[i] = std::uint8_t(sum >> 4);
            }
            break;
        }
        case 1: {
            const std::uint8_t *p1 = drawing.row(r * s + 1), *p2 = drawing.row(r * s + 2);
            // The top-right and bottom-left samples count half, so a fully inked block
            // gives 254.
            for (int i = 0, c = 0; i < width_; ++i, c += 3) {
                const unsigned sum = p0[c] + p0[c + 1] + (p0[c + 2] >> 1) + p1[c] + p1[c + 1] + p1[c + 2] + (p2[c] >> 1)
                                     + p2[c + 1] + p2[c + 2];
                out[i] = std::uint8_t(sum >> 3);
            }
            break;
        }
        case 2: {
            const std::uint8_t* p1 = drawing.row(r * s + 1);
            for (int i = 0, c = 0; i < width_; ++i, c += 2)
                out[i] = std::uint8_t((p0[c] + p0[c + 1] + p1[c] + p1[c + 1]) >> 2);
            break;
        }
        default:
            std::memcpy(out, p0, static_cast<std::size_t>(width_));
            break;
        }
    }
}

void TIAMask::Build(const QString& text) { Render(text, Measure(text).size, QPoint(0, 0)); }

std::size_t TIAMask::RowOffset(int r) const
{
    return static_cast<std::size_t>(height_ - 1 - r) * static_cast<std::size_t>(rowBytes_);
}

std::uint8_t* TIAMask::Lines(int r)
{
    if (r < 0 || r >= height_)
        throw EInvalidLine();
    return bits_.data() + RowOffset(r);
}

const std::uint8_t* TIAMask::Lines(int r) const
{
    if (r < 0 || r >= height_)
        throw EInvalidLine();
    return bits_.data() + RowOffset(r);
}

void TIAMask::Outline()
{
    if (width_ < 3 || height_ < 3)
        return;
    const std::vector<std::uint8_t> copy = bits_;
    auto b = [&](int r, int i) { return int(copy[RowOffset(r) + i]); };
    for (int r = 1; r < height_ - 1; ++r) {
        std::uint8_t* out = bits_.data() + RowOffset(r);
        for (int i = 1; i < width_ - 1; ++i) {
            const int v = (std::abs(b(r + 1, i) - b(r - 1, i)) + std::abs(b(r, i + 1) - b(r, i - 1))
                           + std::abs(b(r + 1, i - 1) - b(r - 1, i + 1)) + std::abs(b(r + 1, i + 1) - b(r - 1, i - 1)))
                          >> 2;
            out[i] = std::uint8_t(std::min(v, 255));
        }
    }
}

void TIAMask::Blur(int amount)
{
    amount = std::clamp(amount, 0, 100);
    if (amount == 0 || width_ == 0 || height_ == 0)
        return;
    // amount x 255 / 100, halves to even.
    int weight = amount * 255 / 100;
    const int rest = amount * 255 % 100;
    if (rest > 50 || (rest == 50 && weight % 2 == 1))
        ++weight;

    const std::vector<std::uint8_t> copy = bits_;
    std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(height_));
    for (int r = 0; r < height_; ++r)
        rows[r] = copy.data() + RowOffset(r);
    for (int r = 0; r < height_; ++r) {
        const std::uint8_t* window[5];
        for (int d = -2; d <= 2; ++d)
            window[d + 2] = rows[std::clamp(r + d, 0, height_ - 1)];
        std::uint8_t* out = bits_.data() + RowOffset(r);
        for (int i = 0; i < width_; ++i) {
            int sum = 0;
            for (int d = -2; d <= 2; ++d) {
                const int column = std::clamp(i + d, 0, width_ - 1);
                for (const std::uint8_t* row : window)
                    sum += row[column];
            }
            const int mean = (sum + 12) / 25;
            if (weight == 255)
                out[i] = std::uint8_t(mean);
            else
                out[i] = std::uint8_t(out[i] + (((mean - out[i]) * weight) >> 8));
        }
    }
}

void TIAMask::Spray(int amount)
{
    amount = std::clamp(amount, 0, 100);
    if (amount == 0 || !owner_)
        return;
    RandomSource& random = owner_->random();
    for (int r = 0; r < height_; ++r) {
        std::uint8_t* out = bits_.data() + RowOffset(r);
        for (int i = 0; i < width_; ++i) {
            const int reach = random.Next(amount + 1);
            const int x = std::clamp(i + reach - random.Next(2 * reach), 0, width_ - 1);
            const int y = std::clamp(r + reach - random.Next(2 * reach), 0, height_ - 1);
            out[i] = bits_[RowOffset(y) + x];
        }
    }
}

void TIAMask::MirrorHorz()
{
    for (int r = 0; r < height_; ++r) {
        std::uint8_t* row = bits_.data() + RowOffset(r);
        std::reverse(row, row + width_);
    }
}

void TIAMask::MirrorVert()
{
    for (int r = 0; r < height_ / 2; ++r)
        std::swap_ranges(bits_.begin() + RowOffset(r), bits_.begin() + RowOffset(r) + rowBytes_,
                         bits_.begin() + RowOffset(height_ - 1 - r));
}

void TIAMask::Assign(const TIAMask& source)
{
    if (&source == this)
        return;
    bits_ = source.bits_;
    width_ = source.width_;
    height_ = source.height_;
    quality_ = source.quality_;
    scale_ = source.scale_;
    rowBytes_ = source.rowBytes_;
    hiResRowBytes_ = source.hiResRowBytes_;
}

}  // namespace sm
