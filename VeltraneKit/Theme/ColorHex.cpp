#include "VeltraneKit/Theme/ColorHex.h"

#include <algorithm>
#include <cmath>

namespace veltrane {

namespace {

bool isSpaceOrTab(QChar c)
{
    return c == u' ' || c == u'\t';
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

int component(double fraction)
{
    // Halves round away from zero, as std::lround does.
    return static_cast<int>(std::clamp(std::lround(fraction * 255), 0L, 255L));
}

} // namespace

std::optional<QColor> colorFromHexString(QStringView text)
{
    while (!text.isEmpty() && isSpaceOrTab(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isSpaceOrTab(text.back()))
        text.chop(1);
    if (text.startsWith(u'#'))
        text = text.mid(1);
    if (text.size() != 6)
        return std::nullopt;
    unsigned value = 0;
    for (const QChar c : text) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return QColor::fromRgb(static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
        static_cast<int>(value & 0xFF));
}

QString hexString(const QColor& color)
{
    QColor rgb = color.toRgb();
    if (!rgb.isValid())
        rgb = color;
    return QStringLiteral("%1%2%3")
        .arg(component(rgb.redF()), 2, 16, QLatin1Char('0'))
        .arg(component(rgb.greenF()), 2, 16, QLatin1Char('0'))
        .arg(component(rgb.blueF()), 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace veltrane
