#include "Moorlet/Views/ViewContext.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Sound/AmbientController.h"
#include "Moorlet/Theme/ThemeProvider.h"
#include "Moorlet/Views/CardBackground.h"
#include "Moorlet/Views/ReduceMotion.h"
#include "VeltraneKit/Theme/ColorContrast.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"

namespace moorlet {

bool ViewContext::reducesMotion() const
{
    return reduceMotion.isOn();
}

QColor ViewContext::accent() const
{
    return controller.accent();
}

QColor ViewContext::backdrop(const QRectF& card, QPointF point) const
{
    CardBackground look;
    look.palette = palette;
    look.wash = theme ? theme->backgroundWash() : std::nullopt;
    const auto tint = ambient ? ambient->sceneTint() : std::nullopt;
    look.sceneTint = tint.value_or(QColor());
    look.sceneTintPresence = tint ? 1 : 0;
    return look.colorAt(card, point);
}

QColor ViewContext::readableAccent(const QRectF& card, QPointF point, double fillOpacity) const
{
    const QColor color = accent();
    const QColor behind = veltrane::ColorContrast::composited(veltrane::withOpacity(color, fillOpacity), backdrop(card, point));
    return veltrane::ColorContrast::readableShade(color, behind, veltrane::DesignTokens::Contrast::text);
}

} // namespace moorlet
