#pragma once

#include "VeltraneKit/Theme/Theme.h"

#include <QStringView>

#include <vector>

namespace veltrane {

// The ordered list of themes the user picks from: Mono first, then the given themes in order,
// each id once (the first occurrence wins, and none replaces Mono). This is the swatch order.
class ThemeCatalog {
public:
    explicit ThemeCatalog(const std::vector<Theme>& themes);

    const std::vector<Theme>& themes() const { return m_themes; }
    // The first theme with exactly this id (case-sensitive), else Mono.
    const Theme& theme(QStringView id) const;

private:
    std::vector<Theme> m_themes;
};

} // namespace veltrane
