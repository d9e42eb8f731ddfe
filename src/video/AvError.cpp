#include "video/AvError.h"

#include <stdexcept>

extern "C" {
#include <libavutil/error.h>
}

namespace sm {

std::string AvErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(code, text, sizeof text) < 0)
        return "error " + std::to_string(code);
    return text;
}

int ThrowIfAvError(int code, const char* attempted)
{
    if (code < 0)
        throw std::runtime_error(std::string(attempted) + ": " + AvErrorText(code));
    return code;
}

}  // namespace sm
