#pragma once

#include "common/SafeFileWrite.h"

namespace sm {

// Raised by the image writers when a picture cannot be encoded or its bytes cannot be
// written; the message says which.
class EncodeError : public FileWriteError {
public:
    using FileWriteError::FileWriteError;
};

}  // namespace sm
