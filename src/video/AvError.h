#pragma once

#include <string>

namespace sm {

// The text FFmpeg gives for one of its negative return codes.
std::string AvErrorText(int code);

// Returns code when it is not negative; otherwise throws std::runtime_error carrying
// what was attempted and FFmpeg's text for the code.
int ThrowIfAvError(int code, const char* attempted);

}  // namespace sm
