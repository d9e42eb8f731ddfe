#pragma once

#include <cstdint>

#include <QString>

namespace sm {

// A position in whole seconds as "hours:minutes:seconds", each part at least two
// digits: 3725 gives "01:02:05", 360000 gives "100:00:00". The parts come from
// division truncating toward zero, so a negative position gives negative parts
// ("-01:-02:-05" for -3725).
QString FormatTimeLabel(std::int32_t seconds);

}  // namespace sm
