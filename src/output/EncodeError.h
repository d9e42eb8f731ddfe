#pragma once

#include <stdexcept>

namespace sm {

// Raised by the image writers when a picture cannot be encoded or its bytes cannot be
// written; the message says which.
class EncodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace sm
