#pragma once

#include "VeltraneKit/Settings/AppearancePreference.h"
#include "VeltraneKit/Settings/UserDefaults.h"

#include <QObject>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// The appearance, accent, widget and audio preferences, each kept in the user-defaults database
// under the key prefix followed by the property's name ("com.veltrane.widgetOpacity").
//
// Everything is read at construction: a missing key, or a value of another kind than the
// property's (see UserDefaults for which kinds convert), gives the property's default and is
// left in the database untouched. Keys that another writer changes (a hand edit of the settings
// file) are read again the same way, with a …Changed signal for each value that changed. Every assignment is written through at once, even when the
// value does not change, and its …Changed signal is emitted only when it does. Nothing is
// clamped or validated here: the controls that set the values keep them in range.
//
// Main thread only.
class SettingsStore : public QObject {
    Q_OBJECT
    Q_PROPERTY(veltrane::AppearancePreference appearance READ appearance WRITE setAppearance
            NOTIFY appearanceChanged)
    Q_PROPERTY(QString widgetMode READ widgetMode WRITE setWidgetMode NOTIFY widgetModeChanged)
    Q_PROPERTY(QString accentThemeID READ accentThemeID WRITE setAccentThemeID
            NOTIFY accentThemeIDChanged)
    Q_PROPERTY(bool customAccentEnabled READ customAccentEnabled WRITE setCustomAccentEnabled
            NOTIFY customAccentEnabledChanged)
    Q_PROPERTY(QString customAccentHex READ customAccentHex WRITE setCustomAccentHex
            NOTIFY customAccentHexChanged)
    Q_PROPERTY(double widgetOpacity READ widgetOpacity WRITE setWidgetOpacity
            NOTIFY widgetOpacityChanged)
    Q_PROPERTY(bool forceReduceMotion READ forceReduceMotion WRITE setForceReduceMotion
            NOTIFY forceReduceMotionChanged)
    Q_PROPERTY(std::optional<QString> hostMonitorID READ hostMonitorID WRITE setHostMonitorID
            NOTIFY hostMonitorIDChanged)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin
            NOTIFY launchAtLoginChanged)
    Q_PROPERTY(double masterVolume READ masterVolume WRITE setMasterVolume
            NOTIFY masterVolumeChanged)
    Q_PROPERTY(double fadeDuration READ fadeDuration WRITE setFadeDuration
            NOTIFY fadeDurationChanged)

public:
    // The prefix the application uses.
    static constexpr std::string_view kApplicationKeyPrefix = "com.veltrane.";

    explicit SettingsStore(UserDefaultsPtr defaults,
        std::string keyPrefix = std::string(kApplicationKeyPrefix), QObject* parent = nullptr);
    ~SettingsStore() override;

    UserDefaults& defaults() const { return *m_defaults; }
    const std::string& keyPrefix() const { return m_keyPrefix; }
    // The full key of a property: the prefix followed by its name.
    std::string key(std::string_view name) const;

    AppearancePreference appearance() const { return m_appearance; }
    // The screen edge the tile docks to ("left", "right", "top", "bottom"); anything else, the
    // default "auto" included, means the right edge. Read once, when the widget is created.
    QString widgetMode() const { return m_widgetMode; }
    QString accentThemeID() const { return m_accentThemeID; }
    bool customAccentEnabled() const { return m_customAccentEnabled; }
    // Six hexadecimal digits without "#".
    QString customAccentHex() const { return m_customAccentHex; }
    double widgetOpacity() const { return m_widgetOpacity; }
    bool forceReduceMotion() const { return m_forceReduceMotion; }
    // The monitor the widget lives on; absent means no choice (the key is then removed).
    std::optional<QString> hostMonitorID() const { return m_hostMonitorID; }
    // Mirrors the login-item choice; switching the login item itself is someone else's job.
    bool launchAtLogin() const { return m_launchAtLogin; }
    double masterVolume() const { return m_masterVolume; }
    // Seconds.
    double fadeDuration() const { return m_fadeDuration; }

    void setAppearance(AppearancePreference value);
    void setWidgetMode(const QString& value);
    void setAccentThemeID(const QString& value);
    void setCustomAccentEnabled(bool value);
    void setCustomAccentHex(const QString& value);
    void setWidgetOpacity(double value);
    void setForceReduceMotion(bool value);
    void setHostMonitorID(const std::optional<QString>& value);
    void setLaunchAtLogin(bool value);
    void setMasterVolume(double value);
    void setFadeDuration(double value);

Q_SIGNALS:
    void appearanceChanged();
    void widgetModeChanged();
    void accentThemeIDChanged();
    void customAccentEnabledChanged();
    void customAccentHexChanged();
    void widgetOpacityChanged();
    void forceReduceMotionChanged();
    void hostMonitorIDChanged();
    void launchAtLoginChanged();
    void masterVolumeChanged();
    void fadeDurationChanged();

private:
    // Reads the listed keys (all of them when there is no list) into their properties.
    void readSettings(const std::vector<std::string>* keys);
    template <typename T>
    void write(void (SettingsStore::*changed)(), T& field, T value, std::string_view name);

    UserDefaultsPtr m_defaults;
    std::string m_keyPrefix;
    int m_observer = 0;

    AppearancePreference m_appearance {};
    QString m_widgetMode {};
    QString m_accentThemeID {};
    bool m_customAccentEnabled {};
    QString m_customAccentHex {};
    double m_widgetOpacity {};
    bool m_forceReduceMotion {};
    std::optional<QString> m_hostMonitorID {};
    bool m_launchAtLogin {};
    double m_masterVolume {};
    double m_fadeDuration {};
};

} // namespace veltrane
