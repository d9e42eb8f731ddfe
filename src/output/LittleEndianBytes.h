#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "output/DeviceWrite.h"

namespace sm {

// Header bytes of a little-endian file format, gathered in memory and then written to
// the device in one call.
class LittleEndianBytes {
public:
    void u16(std::uint16_t v)
    {
        bytes_.push_back(std::uint8_t(v));
        bytes_.push_back(std::uint8_t(v >> 8));
    }
    void u32(std::uint32_t v)
    {
        u16(std::uint16_t(v));
        u16(std::uint16_t(v >> 16));
    }
    void raw(const void* data, std::size_t size)
    {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    // Writes the gathered bytes (throwing EncodeError as WriteBytes does) and starts afresh.
    void writeTo(QIODevice& out)
    {
        WriteBytes(out, bytes_.data(), bytes_.size());
        bytes_.clear();
    }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace sm
