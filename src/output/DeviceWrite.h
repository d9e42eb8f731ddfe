#pragma once

#include <cstddef>

class QIODevice;

namespace sm {

// Writes all `size` bytes to the open device or throws EncodeError: a short write
// (disk full, a closed device) is never taken for success.
void WriteBytes(QIODevice& out, const void* data, std::size_t size);

}  // namespace sm
