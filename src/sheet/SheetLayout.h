#pragma once

#include <QPoint>
#include <QSize>

#include <cstdint>
#include <stdexcept>

#include "common/FontDesc.h"
#include "settings/Settings.h"

namespace sm {

// A sheet larger than SheetSizeLimit allows; the message tells the user the limits.
class SheetTooLargeError : public std::runtime_error {
public:
    SheetTooLargeError();
};

// The largest sheet the program composes. A side is at most 65500 pixels, the most the
// JPEG writer (the strictest of the five sheet file types) can store; the sheet is at
// most 2^28 pixels (768 MiB at 24 bits), so the sheet, its preview and the copy a save
// converts stay under 4 GiB together, within the TIFF and BMP size fields and well
// within the memory of an ordinary desktop.
struct SheetSizeLimit {
    static constexpr std::int64_t kMaxSide = 65500;
    static constexpr std::int64_t kMaxPixels = std::int64_t(1) << 28;
};

// Where the parts of a sheet go.
struct SheetLayout {
    QSize size;            // the whole sheet, the information block included
    int blockHeight = 0;   // 0 without a block
    int blockTop = 0;      // where the block starts
    int headerOffset = 0;  // how far the block on top moves the grid down
};

// The information block's height: (ticked lines) x (point size of the font + 4) + 6.
std::int64_t InfoBlockHeight(int tickedLines, const FontDesc& addonFont);

// The layout of the thumbnail window's sheet: the grid of SheetPixelSize, and with
// settings.Addon the block above it (TxtLocation 0) or below it. Throws
// SheetTooLargeError, before anything is allocated, for a sheet beyond SheetSizeLimit
// or of a negative size.
SheetLayout ThumbSheetLayout(const AppSettings& settings, int tickedLines);
// The batch sheet: the grid alone. Throws as ThumbSheetLayout.
SheetLayout BatchSheetLayout(const AppSettings& settings);
// The grid with an information block of that many lines above or below it by
// TxtLocation, whatever Addon says. Throws as ThumbSheetLayout.
SheetLayout InfoSheetLayout(const AppSettings& settings, int lines);

// The top-left corner of the tile in row r and column c (both from 0).
QPoint CellCorner(const AppSettings& settings, int row, int column, int headerOffset);

}  // namespace sm
