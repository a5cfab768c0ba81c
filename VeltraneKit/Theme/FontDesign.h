#pragma once

namespace veltrane {

// The typeface family a text style uses: the desktop's own font, or the bundled rounded one.
enum class FontDesign {
    standard,
    rounded,
};

} // namespace veltrane
