#pragma once

#include <QColor>
#include <QString>
#include <QStringView>

#include <optional>

namespace veltrane {

// Colour from text: six hexadecimal digits (either case), with an optional leading "#" and
// spaces or tabs around them. Anything else (five or seven digits, a non-hex character, a line
// break at either end) gives none. The colour is opaque sRGB.
std::optional<QColor> colorFromHexString(QStringView text);

// Colour to text: six upper-case hex digits of the sRGB components, no "#". Components outside
// the sRGB range (extended-range colours) are clamped so the text always parses back.
QString hexString(const QColor& color);

} // namespace veltrane
