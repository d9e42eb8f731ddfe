#include "imaging/MulDiv.h"

#include <stdexcept>

namespace sm {

std::int64_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator)
{
    if (denominator == 0)
        throw std::domain_error("MulDiv: division by zero");
    // |product| <= 2^62 and |denominator| <= 2^31: nothing below can overflow.
    const std::int64_t product = std::int64_t(number) * numerator;
    const std::int64_t absProduct = product < 0 ? -product : product;
    const std::int64_t absDivisor = denominator < 0 ? -std::int64_t(denominator) : denominator;
    std::int64_t magnitude = absProduct / absDivisor;
    if (2 * (absProduct % absDivisor) >= absDivisor)
        ++magnitude;
    return (product < 0) != (denominator < 0) ? -magnitude : magnitude;
}

}  // namespace sm
