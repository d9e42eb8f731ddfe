#include "sheet/SheetLayout.h"

#include "settings/Texts.h"
#include "sheet/SheetPixelSize.h"

namespace sm {

namespace {

QSize CheckedSize(std::int64_t width, std::int64_t height)
{
    if (width < 0 || height < 0 || width > SheetSizeLimit::kMaxSide || height > SheetSizeLimit::kMaxSide
        || width * height > SheetSizeLimit::kMaxPixels)
        throw SheetTooLargeError();
    return QSize(int(width), int(height));
}

QSize GridSize(const AppSettings& settings)
{
    try {
        return SheetPixelSize(settings);
    } catch (const std::overflow_error&) {
        throw SheetTooLargeError();
    }
}

}  // namespace

SheetTooLargeError::SheetTooLargeError()
    : std::runtime_error(
        lang::kSheetTooLarge.arg(SheetSizeLimit::kMaxSide).arg(SheetSizeLimit::kMaxPixels).toStdString())
{
}

std::int64_t InfoBlockHeight(int tickedLines, const FontDesc& addonFont)
{
    return std::int64_t(tickedLines) * (std::int64_t(addonFont.size) + 4) + 6;
}

SheetLayout ThumbSheetLayout(const AppSettings& settings, int tickedLines)
{
    return settings.Addon ? InfoSheetLayout(settings, tickedLines) : BatchSheetLayout(settings);
}

SheetLayout InfoSheetLayout(const AppSettings& settings, int lines)
{
    const QSize grid = GridSize(settings);
    SheetLayout layout;
    const std::int64_t block = InfoBlockHeight(lines, settings.AddonFont);
    if (block < 0)
        throw SheetTooLargeError();
    layout.size = CheckedSize(grid.width(), std::int64_t(grid.height()) + block);
    layout.blockHeight = int(block);
    if (settings.TxtLocation == 0)
        layout.headerOffset = layout.blockHeight;
    else
        layout.blockTop = layout.size.height() - layout.blockHeight;
    return layout;
}

SheetLayout BatchSheetLayout(const AppSettings& settings)
{
    const QSize grid = GridSize(settings);
    SheetLayout layout;
    layout.size = CheckedSize(grid.width(), grid.height());
    return layout;
}

QPoint CellCorner(const AppSettings& settings, int row, int column, int headerOffset)
{
    return QPoint((column + 1) * settings.ThumbSpace + settings.ThumbWidth * column,
                  (row + 1) * settings.ThumbSpace + settings.ThumbHeight * row + headerOffset);
}

}  // namespace sm
