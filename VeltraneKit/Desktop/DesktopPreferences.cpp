#include "VeltraneKit/Desktop/DesktopPreferences.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <optional>
#include <utility>

namespace veltrane {

namespace {

constexpr auto kPortalService = "org.freedesktop.portal.Desktop";
constexpr auto kPortalPath = "/org/freedesktop/portal/desktop";
constexpr auto kSettingsInterface = "org.freedesktop.portal.Settings";

constexpr auto kAppearance = "org.freedesktop.appearance";
constexpr auto kGnomeInterface = "org.gnome.desktop.interface";
// KDE's portal relays kdeglobals groups under this prefix, every value as text.
constexpr auto kKdeGlobals = "org.kde.kdeglobals.KDE";
constexpr auto kColorScheme = "color-scheme";
constexpr auto kReducedMotion = "reduced-motion";
constexpr auto kGtkTheme = "gtk-theme";
constexpr auto kEnableAnimations = "enable-animations";
constexpr auto kAnimationDurationFactor = "AnimationDurationFactor";

// The values of "org.freedesktop.appearance" "reduced-motion".
constexpr uint kMotionReduced = 1;

constexpr std::array<std::pair<const char*, const char*>, 6> kSettings { {
    { kAppearance, kColorScheme },
    { kAppearance, kReducedMotion },
    { kGnomeInterface, kColorScheme },
    { kGnomeInterface, kGtkTheme },
    { kGnomeInterface, kEnableAnimations },
    { kKdeGlobals, kAnimationDurationFactor },
} };

QString settingName(const QString& group, const QString& key)
{
    return group + QLatin1Char(' ') + key;
}

// The portal wraps values in variants, the older Read method in two.
QVariant unwrapped(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

// The standard appearance settings are unsigned numbers; a text that happens to parse is none.
std::optional<uint> standardNumber(const QVariant& value)
{
    bool isNumber = false;
    const uint number = value.typeId() == QMetaType::QString ? 0 : value.toUInt(&isNumber);
    return isNumber ? std::optional(number) : std::nullopt;
}

ColorScheme paletteColorScheme()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return ColorScheme::NoPreference;
    const QPalette palette = QGuiApplication::palette();
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness()
        ? ColorScheme::Dark
        : ColorScheme::Light;
}

} // namespace

DesktopPreferences::DesktopPreferences(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(this);
    m_colorScheme = resolveColorScheme();
    if (!m_bus.isConnected())
        return;
    // Qt 6.4 looks a D-Bus slot's parameter types up by name, and QDBusVariant has none until
    // something registers it: in a fresh process the subscription would fail without a word and
    // every later change of the desktop's settings would go unseen.
    qRegisterMetaType<QDBusVariant>();
    m_bus.connect(QLatin1String(kPortalService), QLatin1String(kPortalPath), QLatin1String(kSettingsInterface),
        QStringLiteral("SettingChanged"), this, SLOT(handleSettingChanged(QString,QString,QDBusVariant)));
    m_pendingReads = static_cast<int>(kSettings.size());
    for (const auto& [group, key] : kSettings)
        read(QLatin1String(group), QLatin1String(key), false);
}

bool DesktopPreferences::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange)
        apply();
    return QObject::eventFilter(watched, event);
}

void DesktopPreferences::handleSettingChanged(const QString& group, const QString& key, const QDBusVariant& value)
{
    const QString name = settingName(group, key);
    m_portalAnswered = true;
    m_changed.insert(name);
    m_values.insert(name, unwrapped(value.variant()));
    if (initialReadFinished())
        apply();
}

void DesktopPreferences::read(const QString& group, const QString& key, bool legacy)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kPortalService), QLatin1String(kPortalPath),
        QLatin1String(kSettingsInterface), legacy ? QStringLiteral("Read") : QStringLiteral("ReadOne"));
    call << group << key;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, group, key, legacy](QDBusPendingCallWatcher* answer) {
        answer->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *answer;
        if (reply.isError() && reply.error().type() == QDBusError::UnknownMethod && !legacy) {
            read(group, key, true);
            return;
        }
        finishRead(settingName(group, key), reply.isError() ? QVariant() : unwrapped(reply.argumentAt(0)));
    });
}

void DesktopPreferences::finishRead(const QString& setting, const QVariant& value)
{
    if (value.isValid()) {
        m_portalAnswered = true;
        if (!m_changed.contains(setting))
            m_values.insert(setting, value);
    }
    // Answers are applied together so that the values do not flicker through partial states.
    if (--m_pendingReads == 0)
        apply();
}

QVariant DesktopPreferences::setting(const char* group, const char* key) const
{
    return m_values.value(settingName(QLatin1String(group), QLatin1String(key)));
}

ColorScheme DesktopPreferences::resolveColorScheme() const
{
    const std::optional<uint> scheme = standardNumber(setting(kAppearance, kColorScheme));
    if (scheme == static_cast<uint>(ColorScheme::Dark))
        return ColorScheme::Dark;
    if (scheme == static_cast<uint>(ColorScheme::Light))
        return ColorScheme::Light;

    const QString gnomeScheme = setting(kGnomeInterface, kColorScheme).toString();
    if (gnomeScheme == QLatin1String("prefer-dark"))
        return ColorScheme::Dark;
    if (gnomeScheme == QLatin1String("prefer-light"))
        return ColorScheme::Light;
    if (setting(kGnomeInterface, kGtkTheme).toString().endsWith(QLatin1String("-dark"), Qt::CaseInsensitive))
        return ColorScheme::Dark;

    // A desktop that answered without a preference means it; the palette speaks only when no
    // desktop setting could be read at all.
    return m_portalAnswered ? ColorScheme::NoPreference : paletteColorScheme();
}

bool DesktopPreferences::resolveReduceMotion() const
{
    if (standardNumber(setting(kAppearance, kReducedMotion)) == kMotionReduced)
        return true;
    const QVariant animations = setting(kGnomeInterface, kEnableAnimations);
    if (animations.typeId() == QMetaType::Bool && !animations.toBool())
        return true;
    // KDE's animation speed slider at "Instant" stores a factor of 0.
    bool isFactor = false;
    const double factor = setting(kKdeGlobals, kAnimationDurationFactor).toDouble(&isFactor);
    return isFactor && factor <= 0;
}

void DesktopPreferences::apply()
{
    const ColorScheme scheme = resolveColorScheme();
    const bool reduce = resolveReduceMotion();
    if (scheme != m_colorScheme) {
        m_colorScheme = scheme;
        emit colorSchemeChanged(scheme);
    }
    if (reduce != m_reduceMotion) {
        m_reduceMotion = reduce;
        emit reduceMotionChanged(reduce);
    }
}

} // namespace veltrane
