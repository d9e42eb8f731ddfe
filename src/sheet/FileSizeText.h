#pragma once

#include <QString>

#include <cstdint>

namespace sm {

// The size in bytes of the file (or folder entry) at the path, made absolute first; -1
// when nothing is found there.
std::int64_t FileSizeOf(const QString& path);

// A byte count as the information block writes it: up to 1 KB in kilobytes with one
// decimal ("0.5 KB"), up to 1 MB in whole kilobytes ("2 KB"), above in megabytes with
// one decimal unless whole ("1.5 MB", "3 MB"). Single precision, halves to even; -1
// (a file not found) gives "0.0 KB".
QString FileSizeText(std::int64_t bytes);

}  // namespace sm
