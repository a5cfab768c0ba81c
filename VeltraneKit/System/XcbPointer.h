#pragma once

#include <cstdlib>
#include <memory>

namespace veltrane {

// xcb hands out replies and errors allocated with malloc, for the caller to free.
struct XcbFree {
    void operator()(void* pointer) const { std::free(pointer); }
};

template <typename T>
using XcbPointer = std::unique_ptr<T, XcbFree>;

} // namespace veltrane
