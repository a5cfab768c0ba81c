#pragma once

#include <QColor>
#include <QString>

#include <optional>

namespace veltrane {

// An accent theme the user picks from: the accent used while focusing and how the card's
// backdrop is drawn. Identified by `id`, which is what the settings store keeps.
struct Theme {
    enum class Background {
        material,         // the translucent material alone
        materialGradient, // the material with the theme's wash gradient laid over it
        solid,            // declared for completeness; no shipped theme uses it
    };

    QString id;
    QString name;
    QColor accent;
    Background background = Background::material;
    std::optional<QColor> wash;

    // "Mono": id "default", the focus colour as accent, the plain material, no wash. It is what
    // an unknown theme id resolves to.
    static const Theme& defaultTheme();

    friend bool operator==(const Theme&, const Theme&) = default;
};

} // namespace veltrane
