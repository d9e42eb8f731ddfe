#pragma once

#include <functional>
#include <vector>

#include "common/Bitmap.h"
#include "imaging/TextRasterizer.h"

namespace sm::test {

// A rasteriser with exactly known pixels. With `ink` set it measures as the ink's size
// and draws those grey levels (rows of drawing pixels) at the start point; otherwise
// every character is a solid block `font.height` wide and high. It records the fonts
// and start points it was called with.
class FakeRasterizer : public TextRasterizer {
public:
    std::vector<std::vector<int>> ink;
    std::function<QSize(const LogicalFont&, const QString&)> extent;
    mutable std::vector<LogicalFont> drawnFonts;
    mutable std::vector<QPoint> starts;

    QSize measure(const LogicalFont& font, const QString& text) const override
    {
        if (extent)
            return extent(font, text);
        if (!ink.empty())
            return QSize(int(ink[0].size()), int(ink.size()));
        return QSize(int(text.size()) * font.height, font.height);
    }

    void draw(const LogicalFont& font, const QString& text, QPoint start, Bitmap& grey) const override
    {
        drawnFonts.push_back(font);
        starts.push_back(start);
        const QSize size = measure(font, text);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const int gx = start.x() + x, gy = start.y() + y;
                if (gx >= 0 && gy >= 0 && gx < grey.width() && gy < grey.height())
                    grey.row(gy)[gx] = std::uint8_t(ink.empty() ? 255 : ink[y][x]);
            }
    }
};

}  // namespace sm::test
