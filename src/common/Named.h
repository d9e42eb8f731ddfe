#pragma once

#include <QLatin1String>

namespace sm {

// Gives a freshly made object its name and hands it back, so that a window can make,
// name and keep a control in one line.
template <typename T>
T* Named(T* object, const char* name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

}  // namespace sm
