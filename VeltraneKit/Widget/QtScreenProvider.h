#pragma once

#include "VeltraneKit/Geometry/ScreenProvider.h"

namespace veltrane {

// The screens as Qt reports them (QScreen geometry and available geometry, the primary screen
// as the main one) and the pointer from QCursor::pos, converted to y-up.
class QtScreenProvider final : public ScreenProvider {
public:
    std::vector<ScreenFrames> screens() const override;
    Point mouseLocation() const override;
    double yFlipLine() const override;
};

} // namespace veltrane
