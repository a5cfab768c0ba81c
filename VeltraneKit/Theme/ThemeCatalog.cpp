#include "VeltraneKit/Theme/ThemeCatalog.h"

#include <QSet>

namespace veltrane {

ThemeCatalog::ThemeCatalog(const std::vector<Theme>& themes)
{
    m_themes.push_back(Theme::defaultTheme());
    QSet<QString> seen { Theme::defaultTheme().id };
    for (const Theme& theme : themes) {
        if (seen.contains(theme.id))
            continue;
        seen.insert(theme.id);
        m_themes.push_back(theme);
    }
}

const Theme& ThemeCatalog::theme(QStringView id) const
{
    for (const Theme& theme : m_themes) {
        if (theme.id == id)
            return theme;
    }
    return Theme::defaultTheme();
}

} // namespace veltrane
