#include "Moorlet/Theme/ThemeProvider.h"

#include "VeltraneKit/Theme/ColorHex.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"

namespace moorlet {

namespace {

constexpr double kWashTopOpacity = 0.55;
constexpr double kWashBottomOpacity = 0.12;

} // namespace

ThemeProvider::ThemeProvider(veltrane::ThemeCatalog catalog, veltrane::SettingsStore& settings, QObject* parent)
    : QObject(parent)
    , m_catalog(std::move(catalog))
    , m_settings(settings)
    , m_shownAccent(accent(SessionPhase::focusing))
    , m_shownWash(backgroundWash())
{
    using veltrane::SettingsStore;
    connect(&m_settings, &SettingsStore::accentThemeIDChanged, this, &ThemeProvider::settingsChanged);
    connect(&m_settings, &SettingsStore::customAccentEnabledChanged, this, &ThemeProvider::settingsChanged);
    connect(&m_settings, &SettingsStore::customAccentHexChanged, this, &ThemeProvider::settingsChanged);
}

const veltrane::Theme& ThemeProvider::theme() const
{
    return m_catalog.theme(m_settings.accentThemeID());
}

QColor ThemeProvider::accent(SessionPhase phase) const
{
    namespace Colors = veltrane::DesignTokens::Colors;
    switch (phase) {
    case SessionPhase::shortBreak:
    case SessionPhase::longBreak:
        return Colors::breakPhase();
    case SessionPhase::idle:
        return Colors::idle();
    case SessionPhase::focusing:
        break;
    }
    if (m_settings.customAccentEnabled()) {
        if (const auto custom = veltrane::colorFromHexString(m_settings.customAccentHex()))
            return *custom;
    }
    return theme().accent;
}

std::optional<veltrane::LinearGradientStyle> ThemeProvider::backgroundWash() const
{
    const veltrane::Theme& current = theme();
    if (current.background != veltrane::Theme::Background::materialGradient || !current.wash)
        return std::nullopt;
    return veltrane::LinearGradientStyle {
        { { 0.0, veltrane::withOpacity(*current.wash, kWashTopOpacity) }, { 1.0, veltrane::withOpacity(*current.wash, kWashBottomOpacity) } },
        { 0, 0 },
        { 1, 1 },
    };
}

void ThemeProvider::settingsChanged()
{
    const QColor accentNow = accent(SessionPhase::focusing);
    const auto washNow = backgroundWash();
    const bool accentMoved = accentNow != m_shownAccent;
    const bool washMoved = washNow != m_shownWash;
    m_shownAccent = accentNow;
    m_shownWash = washNow;
    if (accentMoved)
        Q_EMIT accentChanged();
    if (washMoved)
        Q_EMIT backgroundWashChanged();
}

} // namespace moorlet
