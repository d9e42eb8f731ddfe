#include "TiffReader.h"

#include <gtest/gtest.h>

namespace sm::test {

TiffReader::TiffReader(std::vector<std::uint8_t> file) : file_(std::move(file))
{
    if (file_.size() < 8 || file_[0] != 'I' || file_[1] != 'I' || u16(2) != 42) {
        ADD_FAILURE() << "not a little-endian TIFF";
        return;
    }
    directoryOffset_ = u32(4);
    const std::uint16_t count = u16(directoryOffset_);
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::size_t at = directoryOffset_ + 2 + 12 * std::size_t(i);
        const std::uint16_t tag = u16(at);
        entries_[tag] = Entry{u16(at + 2), u32(at + 4), u32(at + 8)};
        tagOrder_.push_back(tag);
    }
    const std::size_t next = directoryOffset_ + 2 + 12 * std::size_t(count);
    EXPECT_EQ(u32(next), 0u) << "next directory";
    EXPECT_EQ(next + 4, file_.size()) << "the directory ends the file";
}

std::uint16_t TiffReader::u16(std::size_t at) const
{
    if (at + 2 > file_.size()) {
        ADD_FAILURE() << "read past the end at " << at;
        return 0;
    }
    return std::uint16_t(file_[at] | (file_[at + 1] << 8));
}

std::uint32_t TiffReader::u32(std::size_t at) const { return u16(at) | (std::uint32_t(u16(at + 2)) << 16); }

std::uint32_t TiffReader::number(std::uint16_t tag) const
{
    const auto it = entries_.find(tag);
    if (it == entries_.end() || it->second.count != 1) {
        ADD_FAILURE() << "no single value for tag " << tag;
        return 0;
    }
    if (it->second.type == 3) {
        EXPECT_EQ(it->second.value >> 16, 0u) << "unused half of a SHORT field, tag " << tag;
        return it->second.value & 0xFFFF;
    }
    return it->second.value;
}

std::vector<std::uint16_t> TiffReader::shorts(std::uint16_t tag) const
{
    const Entry& e = entries_.at(tag);
    EXPECT_EQ(e.type, 3) << "tag " << tag;
    std::vector<std::uint16_t> values;
    const bool inline_ = e.count <= 2;
    for (std::uint32_t i = 0; i < e.count; ++i)
        values.push_back(inline_ ? std::uint16_t(e.value >> (16 * i)) : u16(e.value + 2 * i));
    return values;
}

std::pair<std::uint32_t, std::uint32_t> TiffReader::rational(std::uint16_t tag) const
{
    const Entry& e = entries_.at(tag);
    EXPECT_EQ(e.type, 5) << "tag " << tag;
    return {u32(e.value), u32(e.value + 4)};
}

std::vector<std::uint8_t> TiffReader::bytesAt(std::uint32_t offset, std::uint32_t count) const
{
    if (std::size_t(offset) + count > file_.size()) {
        ADD_FAILURE() << "block past the end of the file";
        return {};
    }
    return {file_.begin() + offset, file_.begin() + offset + count};
}

std::uint32_t TiffReader::pixelRgb(int x, int y) const
{
    const std::uint32_t photometric = number(262);
    const std::uint32_t bits = photometric == 2 ? 8 : number(258);
    const std::uint32_t samples = number(277);
    const std::uint32_t rowBytes = (std::uint32_t(width()) * bits * samples + 7) / 8;
    EXPECT_EQ(number(279), rowBytes * std::uint32_t(height()));
    EXPECT_EQ(number(278), std::uint32_t(height()));
    const std::size_t row = number(273) + std::size_t(y) * rowBytes;
    if (photometric == 2) {
        const std::size_t p = row + 3 * std::size_t(x);
        return (std::uint32_t(file_.at(p)) << 16) | (std::uint32_t(file_.at(p + 1)) << 8) | file_.at(p + 2);
    }
    const std::size_t bitPos = std::size_t(x) * bits;
    const unsigned byte = file_.at(row + bitPos / 8);
    const unsigned index = (byte >> (8 - bits - bitPos % 8)) & ((1u << bits) - 1);
    if (photometric == 1)
        return index ? 0xFFFFFFu : 0u;
    const std::vector<std::uint16_t> map = shorts(320);
    const std::size_t n = map.size() / 3;
    return (std::uint32_t(map.at(index) >> 8) << 16) | (std::uint32_t(map.at(n + index) >> 8) << 8)
           | (map.at(2 * n + index) >> 8);
}

}  // namespace sm::test
