#include "VeltraneKit/Settings/SettingsStore.h"

#include "VeltraneKit/Settings/SettingCodec.h"

#include <cassert>

namespace veltrane {

// The appearance is stored as its raw value; any other text, different case included, is no
// appearance at all.
template <>
struct SettingCodec<AppearancePreference> {
    static std::optional<AppearancePreference> read(
        const UserDefaults& defaults, const std::string& key)
    {
        const auto stored = defaults.string(key);
        return stored ? appearancePreference(*stored) : std::nullopt;
    }
    static void write(UserDefaults& defaults, const std::string& key, AppearancePreference value)
    {
        defaults.setString(key, std::string(rawValue(value)));
    }
};

namespace {

constexpr auto kDefaultAppearance = AppearancePreference::system;
constexpr auto kDefaultWidgetMode = "auto";
constexpr auto kDefaultAccentThemeID = "default";
constexpr bool kDefaultCustomAccentEnabled = false;
constexpr auto kDefaultCustomAccentHex = "5B6CFF";
constexpr double kDefaultWidgetOpacity = 1.0;
constexpr bool kDefaultForceReduceMotion = false;
constexpr bool kDefaultLaunchAtLogin = false;
constexpr double kDefaultMasterVolume = 0.8;
constexpr double kDefaultFadeDuration = 0.4;

} // namespace

SettingsStore::SettingsStore(UserDefaultsPtr defaults, std::string keyPrefix, QObject* parent)
    : QObject(parent)
    , m_defaults(std::move(defaults))
    , m_keyPrefix(std::move(keyPrefix))
{
    assert(m_defaults);
    readSettings(nullptr);
    m_observer = m_defaults->addChangeObserver(
        [this](const std::vector<std::string>& keys) { readSettings(&keys); });
}

SettingsStore::~SettingsStore()
{
    m_defaults->removeChangeObserver(m_observer);
}

void SettingsStore::readSettings(const std::vector<std::string>* keys)
{
    const auto read = [&]<typename T>(void (SettingsStore::*changed)(), T& field,
                          std::string_view name, T fallback) {
        if (const auto full = key(name); isAmong(keys, full))
            readSettingInto(this, changed, field, *m_defaults, full, std::move(fallback));
    };
    read(&SettingsStore::appearanceChanged, m_appearance, "appearance", kDefaultAppearance);
    read(&SettingsStore::widgetModeChanged, m_widgetMode, "widgetMode",
        QString::fromUtf8(kDefaultWidgetMode));
    read(&SettingsStore::accentThemeIDChanged, m_accentThemeID, "accentThemeID",
        QString::fromUtf8(kDefaultAccentThemeID));
    read(&SettingsStore::customAccentEnabledChanged, m_customAccentEnabled,
        "customAccentEnabled", kDefaultCustomAccentEnabled);
    read(&SettingsStore::customAccentHexChanged, m_customAccentHex, "customAccentHex",
        QString::fromUtf8(kDefaultCustomAccentHex));
    read(&SettingsStore::widgetOpacityChanged, m_widgetOpacity, "widgetOpacity",
        kDefaultWidgetOpacity);
    read(&SettingsStore::forceReduceMotionChanged, m_forceReduceMotion, "forceReduceMotion",
        kDefaultForceReduceMotion);
    read(&SettingsStore::hostMonitorIDChanged, m_hostMonitorID, "hostMonitorID",
        std::optional<QString>());
    read(&SettingsStore::launchAtLoginChanged, m_launchAtLogin, "launchAtLogin",
        kDefaultLaunchAtLogin);
    read(&SettingsStore::masterVolumeChanged, m_masterVolume, "masterVolume",
        kDefaultMasterVolume);
    read(&SettingsStore::fadeDurationChanged, m_fadeDuration, "fadeDuration",
        kDefaultFadeDuration);
}

std::string SettingsStore::key(std::string_view name) const
{
    std::string full = m_keyPrefix;
    full += name;
    return full;
}

template <typename T>
void SettingsStore::write(void (SettingsStore::*changed)(), T& field, T value, std::string_view name)
{
    writeSetting(this, changed, field, std::move(value), *m_defaults, key(name));
}

void SettingsStore::setAppearance(AppearancePreference value)
{
    write(&SettingsStore::appearanceChanged, m_appearance, value, "appearance");
}

void SettingsStore::setWidgetMode(const QString& value)
{
    write(&SettingsStore::widgetModeChanged, m_widgetMode, value, "widgetMode");
}

void SettingsStore::setAccentThemeID(const QString& value)
{
    write(&SettingsStore::accentThemeIDChanged, m_accentThemeID, value, "accentThemeID");
}

void SettingsStore::setCustomAccentEnabled(bool value)
{
    write(&SettingsStore::customAccentEnabledChanged, m_customAccentEnabled, value,
        "customAccentEnabled");
}

void SettingsStore::setCustomAccentHex(const QString& value)
{
    write(&SettingsStore::customAccentHexChanged, m_customAccentHex, value, "customAccentHex");
}

void SettingsStore::setWidgetOpacity(double value)
{
    write(&SettingsStore::widgetOpacityChanged, m_widgetOpacity, value, "widgetOpacity");
}

void SettingsStore::setForceReduceMotion(bool value)
{
    write(&SettingsStore::forceReduceMotionChanged, m_forceReduceMotion, value,
        "forceReduceMotion");
}

void SettingsStore::setHostMonitorID(const std::optional<QString>& value)
{
    write(&SettingsStore::hostMonitorIDChanged, m_hostMonitorID, value, "hostMonitorID");
}

void SettingsStore::setLaunchAtLogin(bool value)
{
    write(&SettingsStore::launchAtLoginChanged, m_launchAtLogin, value, "launchAtLogin");
}

void SettingsStore::setMasterVolume(double value)
{
    write(&SettingsStore::masterVolumeChanged, m_masterVolume, value, "masterVolume");
}

void SettingsStore::setFadeDuration(double value)
{
    write(&SettingsStore::fadeDurationChanged, m_fadeDuration, value, "fadeDuration");
}

} // namespace veltrane

#include "moc_SettingsStore.cpp"
