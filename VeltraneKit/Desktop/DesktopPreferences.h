#pragma once

#include "VeltraneKit/Desktop/ColorScheme.h"

#include <QDBusConnection>
#include <QDBusVariant>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QVariant>

namespace veltrane {

// The desktop's own appearance preferences: whether it asks programs to reduce motion, and which
// colour scheme it prefers. Read from the XDG settings portal (org.freedesktop.portal.Settings):
// the colour scheme from "org.freedesktop.appearance" "color-scheme", else GNOME's interface
// settings as the portal relays them ("color-scheme", a "-dark" "gtk-theme"); motion is reduced
// when "org.freedesktop.appearance" "reduced-motion" asks for it, GNOME's "enable-animations" is
// off, or KDE's animation speed is "Instant" (an "AnimationDurationFactor" of 0). Without a portal
// the colour scheme follows the application palette and motion is not reduced.
//
// The portal is read asynchronously at construction; until every answer is in, the values are
// the palette's and "no reduced motion", and initialReadFinished() is false. Later changes come
// from the portal's SettingChanged signal and from palette changes. Each …Changed signal is
// emitted only when the value really changes. Main thread only.
class DesktopPreferences : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool reduceMotion READ reduceMotion NOTIFY reduceMotionChanged)

public:
    explicit DesktopPreferences(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    bool reduceMotion() const { return m_reduceMotion; }
    ColorScheme colorScheme() const { return m_colorScheme; }
    bool initialReadFinished() const { return m_pendingReads == 0; }

signals:
    void reduceMotionChanged(bool reduceMotion);
    void colorSchemeChanged(veltrane::ColorScheme colorScheme);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void handleSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    // Asks with ReadOne, and with the older Read when the portal predates ReadOne.
    void read(const QString& group, const QString& key, bool legacy);
    void finishRead(const QString& setting, const QVariant& value);
    QVariant setting(const char* group, const char* key) const;
    ColorScheme resolveColorScheme() const;
    bool resolveReduceMotion() const;
    void apply();

    QDBusConnection m_bus;
    // Portal values by "group key".
    QHash<QString, QVariant> m_values;
    // Settings already changed by a signal; a late initial answer for them is stale.
    QSet<QString> m_changed;
    int m_pendingReads = 0;
    bool m_portalAnswered = false;
    bool m_reduceMotion = false;
    ColorScheme m_colorScheme = ColorScheme::NoPreference;
};

} // namespace veltrane
