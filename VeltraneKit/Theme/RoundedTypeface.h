#pragma once

#include <QString>

namespace veltrane {

// The bundled rounded typeface (Nunito in four weights, under the SIL Open Font License),
// registered with the application's font database on first use. Needs a QGuiApplication.
class RoundedTypeface {
public:
    // The family name to put in a QFont; loads the font files the first time.
    static QString family();
    // Whether the bundled files loaded (false only for a broken build).
    static bool isAvailable();
};

} // namespace veltrane
