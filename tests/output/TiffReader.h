#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace sm::test {

// A minimal reader of the uncompressed little-endian single-strip TIFF files the
// writer produces, kept independent of the writer's code. Fails the calling test
// (through ADD_FAILURE) on anything it does not understand.
class TiffReader {
public:
    struct Entry {
        std::uint16_t type = 0;
        std::uint32_t count = 0;
        std::uint32_t value = 0;  // or offset
    };

    explicit TiffReader(std::vector<std::uint8_t> file);

    std::uint32_t directoryOffset() const { return directoryOffset_; }
    const std::map<std::uint16_t, Entry>& entries() const { return entries_; }
    std::vector<std::uint16_t> tagOrder() const { return tagOrder_; }
    // A SHORT or LONG field with count 1.
    std::uint32_t number(std::uint16_t tag) const;
    // The SHORT values of a field, read from where the field points when they do not
    // fit in four bytes.
    std::vector<std::uint16_t> shorts(std::uint16_t tag) const;
    // Numerator and denominator of a RATIONAL field.
    std::pair<std::uint32_t, std::uint32_t> rational(std::uint16_t tag) const;
    std::vector<std::uint8_t> bytesAt(std::uint32_t offset, std::uint32_t count) const;

    int width() const { return int(number(256)); }
    int height() const { return int(number(257)); }
    // The picture as 0x00RRGGBB, decoded through the photometric interpretation.
    std::uint32_t pixelRgb(int x, int y) const;

private:
    std::uint16_t u16(std::size_t at) const;
    std::uint32_t u32(std::size_t at) const;

    std::vector<std::uint8_t> file_;
    std::uint32_t directoryOffset_ = 0;
    std::map<std::uint16_t, Entry> entries_;
    std::vector<std::uint16_t> tagOrder_;
};

}  // namespace sm::test
