#include "Moorlet/Theme/ThemePacks.h"

namespace moorlet::ThemePacks {

namespace {

veltrane::Theme pack(const char* id, const QString& name, QRgb accent, QRgb wash)
{
    return veltrane::Theme { QString::fromLatin1(id), name, QColor::fromRgb(accent),
        veltrane::Theme::Background::materialGradient, QColor::fromRgb(wash) };
}

} // namespace

const std::vector<veltrane::Theme>& extras()
{
    static const std::vector<veltrane::Theme> themes {
        pack("graphite", QStringLiteral("Graphite"), 0x8E8E93, 0x3A3A3C),
        pack("midnight", QStringLiteral("Midnight"), 0x7D8CFF, 0x1C2142),
        pack("lavender", QStringLiteral("Lavender"), 0xB39DFF, 0xE7DCFF),
        pack("sakura", QStringLiteral("Sakura"), 0xF6A0BC, 0xFFDEE8),
        pack("rose", QStringLiteral("Ros\u00e9"), 0xD98A8A, 0xF3DAD8),
        pack("forest", QStringLiteral("Forest"), 0x5CA67E, 0xDEECE1),
        pack("ocean", QStringLiteral("Ocean"), 0x46B8C6, 0xD6EDF1),
        pack("sunset", QStringLiteral("Sunset"), 0xF2885E, 0xFFE0CE),
        pack("sand", QStringLiteral("Sand"), 0xC6A06A, 0xF1E5D0),
    };
    return themes;
}

} // namespace moorlet::ThemePacks
