#include "VeltraneKit/Desktop/DesktopPreferences.h"

#include "tests/VeltraneKit/Desktop/FakeSettingsPortal.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

using veltrane::ColorScheme;
using veltrane::DesktopPreferences;

namespace {

const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kGnome = QStringLiteral("org.gnome.desktop.interface");
const QString kColorScheme = QStringLiteral("color-scheme");
const QString kAnimations = QStringLiteral("enable-animations");
const QString kReducedMotion = QStringLiteral("reduced-motion");
// KDE's portal passes its settings on as text.
const QString kKde = QStringLiteral("org.kde.kdeglobals.KDE");
const QString kAnimationFactor = QStringLiteral("AnimationDurationFactor");

bool settle(const DesktopPreferences& preferences)
{
    return testsupport::waitUntil([&] { return preferences.initialReadFinished(); });
}

// First on purpose: subscribing used to fail only before the process had handled a D-Bus variant.
TEST(DesktopPreferencesTest, SettingChangesAreSignalledOnlyOnRealChange)
{
    FakeSettingsPortal portal(FakeSettingsPortal::Interface::WithReadOne);
    portal.preset(kAppearance, kColorScheme, 0u);
    portal.preset(kGnome, kAnimations, true);
    DesktopPreferences preferences(QDBusConnection::sessionBus());
    ASSERT_TRUE(settle(preferences));
    ASSERT_EQ(preferences.colorScheme(), ColorScheme::NoPreference);
    QSignalSpy schemeChanges(&preferences, &DesktopPreferences::colorSchemeChanged);
    QSignalSpy motionChanges(&preferences, &DesktopPreferences::reduceMotionChanged);

    portal.change(kAppearance, kColorScheme, 1u);
    ASSERT_TRUE(testsupport::waitUntil([&] { return schemeChanges.size() == 1; }));
    EXPECT_EQ(schemeChanges.front().front().value<ColorScheme>(), ColorScheme::Dark);
    EXPECT_EQ(preferences.colorScheme(), ColorScheme::Dark);

    // Neither the same value again, nor a setting that the appearance setting outranks, nor an
    // unrelated one is a change. The animation change after them marks when they have all landed.
    portal.change(kAppearance, kColorScheme, 1u);
    portal.change(kGnome, kColorScheme, QStringLiteral("prefer-light"));
    portal.change(QStringLiteral("org.gnome.desktop.sound"), QStringLiteral("theme-name"), QStringLiteral("freedesktop"));
    portal.change(kGnome, kAnimations, false);
    ASSERT_TRUE(testsupport::waitUntil([&] { return motionChanges.size() == 1; }));
    EXPECT_TRUE(motionChanges.front().front().toBool());
    EXPECT_TRUE(preferences.reduceMotion());
    EXPECT_EQ(schemeChanges.size(), 1);
}

struct PortalCase {
    const char* what;
    std::optional<uint> appearance;
    std::optional<QString> gnomeScheme;
    std::optional<QString> gtkTheme;
    // A setting that asks for less motion, or not: group, key, value.
    std::optional<std::tuple<QString, QString, QVariant>> motion;
    ColorScheme scheme;
    bool reduceMotion;
};

TEST(DesktopPreferencesTest, PortalSettingsResolveInOrder)
{
    const PortalCase cases[] = {
        { "appearance wins over GNOME", 2u, QStringLiteral("prefer-dark"), QStringLiteral("Adwaita-dark"), {},
            ColorScheme::Light, false },
        { "GNOME scheme when appearance has none", 0u, QStringLiteral("prefer-dark"), {}, {}, ColorScheme::Dark,
            false },
        { "dark GTK theme", 0u, QStringLiteral("default"), QStringLiteral("Adwaita-Dark"), {}, ColorScheme::Dark,
            false },
        { "animations off", 0u, {}, {}, std::tuple { kGnome, kAnimations, false }, ColorScheme::NoPreference, true },
        { "reduced motion", {}, {}, {}, std::tuple { kAppearance, kReducedMotion, 1u }, ColorScheme::NoPreference,
            true },
        { "KDE's instant animations", {}, {}, {}, std::tuple { kKde, kAnimationFactor, QStringLiteral("0") },
            ColorScheme::NoPreference, true },
    };
    for (const auto interface : { FakeSettingsPortal::Interface::WithReadOne, FakeSettingsPortal::Interface::ReadOnly }) {
        for (const PortalCase& setup : cases) {
            SCOPED_TRACE(std::string(setup.what)
                + (interface == FakeSettingsPortal::Interface::ReadOnly ? " (Read only)" : " (ReadOne)"));
            FakeSettingsPortal portal(interface);
            ASSERT_TRUE(portal.isRegistered());
            if (setup.appearance)
                portal.preset(kAppearance, kColorScheme, *setup.appearance);
            if (setup.gnomeScheme)
                portal.preset(kGnome, kColorScheme, *setup.gnomeScheme);
            if (setup.gtkTheme)
                portal.preset(kGnome, QStringLiteral("gtk-theme"), *setup.gtkTheme);
            if (setup.motion)
                std::apply([&](auto... setting) { portal.preset(setting...); }, *setup.motion);

            DesktopPreferences preferences(QDBusConnection::sessionBus());
            const ColorScheme before = preferences.colorScheme();
            QSignalSpy schemeChanges(&preferences, &DesktopPreferences::colorSchemeChanged);
            QSignalSpy motionChanges(&preferences, &DesktopPreferences::reduceMotionChanged);
            ASSERT_TRUE(settle(preferences));

            EXPECT_EQ(preferences.colorScheme(), setup.scheme);
            EXPECT_EQ(preferences.reduceMotion(), setup.reduceMotion);
            // The answers land together: at most one change, straight to the final value.
            EXPECT_EQ(schemeChanges.size(), before == setup.scheme ? 0 : 1);
            EXPECT_EQ(motionChanges.size(), setup.reduceMotion ? 1 : 0);
        }
    }
}

} // namespace
