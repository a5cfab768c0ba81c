#pragma once

#include "MoorletCore/SessionPhase.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Theme/LinearGradientStyle.h"
#include "VeltraneKit/Theme/ThemeCatalog.h"

#include <QColor>
#include <QObject>

#include <optional>

namespace moorlet {

// Turns the chosen theme, the custom accent and the session phase into the colours the views
// draw with. It reads accentThemeID, customAccentEnabled and customAccentHex from the settings
// store on every call, and tells observers when a change of them changes what it gives.
//
// Main thread only. The settings store must outlive the provider.
class ThemeProvider : public QObject {
    Q_OBJECT

public:
    ThemeProvider(veltrane::ThemeCatalog catalog, veltrane::SettingsStore& settings, QObject* parent = nullptr);

    const veltrane::ThemeCatalog& catalog() const { return m_catalog; }
    veltrane::SettingsStore& settings() const { return m_settings; }

    // The chosen theme (Mono for an unknown id).
    const veltrane::Theme& theme() const;
    // Breaks draw in the break colour and idle in the idle colour whatever the theme; focusing
    // uses the custom accent when it is on and its text parses, else the theme's accent.
    QColor accent(SessionPhase phase) const;
    // The wash laid over the card: the theme's wash colour from 0.55 opacity at the top-left to
    // 0.12 at the bottom-right; none for a theme without one. It follows the theme even while a
    // custom accent is in force.
    std::optional<veltrane::LinearGradientStyle> backgroundWash() const;

Q_SIGNALS:
    // The focusing accent changed (a break or idle accent never does).
    void accentChanged();
    void backgroundWashChanged();

private:
    void settingsChanged();

    veltrane::ThemeCatalog m_catalog;
    veltrane::SettingsStore& m_settings;
    // What observers last saw, so that only real changes are announced.
    QColor m_shownAccent;
    std::optional<veltrane::LinearGradientStyle> m_shownWash;
};

} // namespace moorlet
