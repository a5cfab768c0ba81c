#pragma once

#include "VeltraneKit/Theme/Theme.h"

#include <vector>

namespace moorlet::ThemePacks {

// The nine themes offered beside Mono, in swatch order, each over the material with a wash.
// Built once, on first use.
const std::vector<veltrane::Theme>& extras();

} // namespace moorlet::ThemePacks
