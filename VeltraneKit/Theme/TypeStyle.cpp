#include "VeltraneKit/Theme/TypeStyle.h"

#include "VeltraneKit/Theme/RoundedTypeface.h"

#include <QFontDatabase>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace veltrane {

namespace {

bool hasTabularDigits(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (std::abs(metrics.horizontalAdvance(QLatin1Char(digit)) - width) > 0.01)
            return false;
    }
    return true;
}

// Qt 6.4 cannot switch on a font's tabular-figures feature, so a desktop font whose default
// digits are proportional is replaced by the bundled face (whose digits are all one width)
// where monospaced digits are asked for.
bool systemFontHasTabularDigits()
{
    static const bool tabular = [] {
        QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setPixelSize(40);
        return hasTabularDigits(font);
    }();
    return tabular;
}

} // namespace

QFont TypeStyle::font() const
{
    QFont font;
    if (design == FontDesign::rounded || (monospacedDigits && !systemFontHasTabularDigits()))
        font = QFont(RoundedTypeface::family());
    else
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace veltrane
