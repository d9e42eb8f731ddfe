#pragma once

#include <cstdint>

namespace sm {

// number x numerator / denominator, the product taken in 64 bits and the quotient
// rounded to the nearest integer, halves away from zero (MulDiv(1, 3, 2) == 2,
// MulDiv(-1, 3, 2) == -2). Throws std::domain_error for a zero denominator.
std::int64_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

}  // namespace sm
