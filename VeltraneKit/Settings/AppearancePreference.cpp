#include "VeltraneKit/Settings/AppearancePreference.h"

namespace veltrane {

std::string_view rawValue(AppearancePreference preference)
{
    switch (preference) {
    case AppearancePreference::system:
        return "system";
    case AppearancePreference::light:
        return "light";
    case AppearancePreference::dark:
        return "dark";
    }
    return "system";
}

std::optional<AppearancePreference> appearancePreference(std::string_view text)
{
    for (auto preference : kAllAppearancePreferences) {
        if (rawValue(preference) == text)
            return preference;
    }
    return std::nullopt;
}

} // namespace veltrane
