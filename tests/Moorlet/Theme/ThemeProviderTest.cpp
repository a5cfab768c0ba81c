#include "Moorlet/Theme/ThemePacks.h"
#include "Moorlet/Theme/ThemeProvider.h"

#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace moorlet;
using veltrane::Theme;
namespace Colors = veltrane::DesignTokens::Colors;

namespace {

class ThemeProviderTest : public ::testing::Test {
protected:
    veltrane::SettingsStore m_settings { std::make_shared<veltrane::MemoryUserDefaults>() };
    ThemeProvider m_provider { veltrane::ThemeCatalog(ThemePacks::extras()), m_settings };
};

} // namespace

TEST_F(ThemeProviderTest, TheThemeOrAValidCustomAccentColoursFocusAndBreaksKeepTheirOwn)
{
    const QColor ocean(70, 184, 198);
    const struct {
        const char* theme;
        bool custom;
        const char* hex;
        QColor focus;
    } cases[] = {
        { "ocean", false, "FF0000", ocean },
        { "ocean", true, "#ff0000", QColor(255, 0, 0) },
        // An unparsable custom hex falls back to the theme's accent without complaint.
        { "ocean", true, "12345", ocean },
        { "ocean", true, "#12 456", ocean },
        // Theme ids are exact; an unknown one is Mono.
        { "Ocean", false, "FF0000", Colors::focus() },
        { "retired", false, "FF0000", Colors::focus() },
    };
    for (const auto& [theme, custom, hex, focus] : cases) {
        SCOPED_TRACE(std::string(theme) + " " + hex);
        m_settings.setAccentThemeID(QString::fromLatin1(theme));
        m_settings.setCustomAccentEnabled(custom);
        m_settings.setCustomAccentHex(QString::fromLatin1(hex));
        EXPECT_EQ(m_provider.accent(SessionPhase::focusing), focus);
        EXPECT_EQ(m_provider.accent(SessionPhase::idle), Colors::idle());
        EXPECT_EQ(m_provider.accent(SessionPhase::shortBreak), Colors::breakPhase());
        EXPECT_EQ(m_provider.accent(SessionPhase::longBreak), Colors::breakPhase());
    }
    EXPECT_EQ(m_provider.theme(), Theme::defaultTheme());
}

TEST_F(ThemeProviderTest, AnnouncesOnlyRealChanges)
{
    QSignalSpy accent(&m_provider, &ThemeProvider::accentChanged);
    QSignalSpy wash(&m_provider, &ThemeProvider::backgroundWashChanged);
    const struct {
        std::function<void()> change;
        int accents;
        int washes;
    } steps[] = {
        { [&] { m_settings.setAccentThemeID(QStringLiteral("ocean")); }, 1, 1 },
        // Unknown ids resolve to the same theme, Mono: one change.
        { [&] { m_settings.setAccentThemeID(QStringLiteral("no-such-theme")); }, 2, 2 },
        { [&] { m_settings.setAccentThemeID(QStringLiteral("also-missing")); }, 2, 2 },
        // A custom hex typed while the switch is off changes nothing visible.
        { [&] { m_settings.setCustomAccentHex(QStringLiteral("FF0000")); }, 2, 2 },
        { [&] { m_settings.setCustomAccentEnabled(true); }, 3, 2 },
        // An invalid hex falls back to the theme's accent, which is a change too, once.
        { [&] { m_settings.setCustomAccentHex(QStringLiteral("FF00")); }, 4, 2 },
        { [&] { m_settings.setCustomAccentHex(QStringLiteral("FF0")); }, 4, 2 },
    };
    for (const auto& [change, accents, washes] : steps) {
        change();
        EXPECT_EQ(accent.count(), accents);
        EXPECT_EQ(wash.count(), washes);
    }
}
