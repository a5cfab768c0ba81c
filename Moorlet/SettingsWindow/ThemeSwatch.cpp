#include "Moorlet/SettingsWindow/ThemeSwatch.h"

#include "Moorlet/Views/PaintText.h"
#include "Moorlet/Views/ViewPalette.h"
#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Motion/Animation.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/TypeStyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace moorlet {

namespace {

namespace Radius = veltrane::DesignTokens::Radius;

// The dark surface every preview sits on, whatever the window's appearance: it is how the card
// looks at night, where accents matter most.
const QColor kSurfaceTop(0x2C, 0x2C, 0x2E);
const QColor kSurfaceBottom(0x1C, 0x1C, 0x1E);

const veltrane::ShadowStyle kSelectedShadow { veltrane::withOpacity(Qt::black, 0.14), 7, {} };
const veltrane::ShadowStyle kShadow { veltrane::withOpacity(Qt::black, 0.06), 3, {} };

} // namespace

ThemeSwatch::ThemeSwatch(veltrane::FrameTicker& ticker, veltrane::Theme theme, std::function<void()> action)
    : m_theme(std::move(theme))
    , m_action(std::move(action))
    , m_scale(ticker, 1.0)
{
}

void ThemeSwatch::setHovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    m_scale.start(hovered ? kHoverScale : 1.0, veltrane::Animation::easeOut(kHoverDuration));
}

void ThemeSwatch::activate() const
{
    if (m_action)
        m_action();
}

void ThemeSwatch::setOnFrame(std::function<void()> onFrame)
{
    m_scale.onFrame = std::move(onFrame);
}

void ThemeSwatch::paint(QPainter& painter, const QRectF& rect, const ViewPalette& palette) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = m_scale.value();
    painter.translate(rect.center());
    painter.scale(scale, scale);
    painter.translate(-rect.center());

    const QRectF tile(rect.left(), rect.top(), rect.width(), kTileHeight);
    QPainterPath shape;
    shape.addRoundedRect(tile, Radius::small, Radius::small);
    veltrane::ShadowPainter::paint(painter, tile, m_selected ? kSelectedShadow : kShadow,
        [&](QPainter& silhouette) { silhouette.fillPath(shape, Qt::black); });

    QLinearGradient surface(tile.topLeft(), tile.bottomRight());
    surface.setColorAt(0, kSurfaceTop);
    surface.setColorAt(1, kSurfaceBottom);
    painter.fillPath(shape, surface);
    // The accent as a glow from the top-left corner, so the tile reads as the card would.
    QLinearGradient glow(tile.topLeft(), tile.bottomRight());
    glow.setColorAt(0, m_theme.accent);
    glow.setColorAt(0.55, veltrane::withOpacity(m_theme.accent, 0.35));
    glow.setColorAt(1, veltrane::withOpacity(m_theme.accent, 0));
    painter.fillPath(shape, glow);

    if (m_selected) {
        const double inset = kSelectedOutlineWidth / 2;
        painter.setPen(QPen(m_theme.accent, kSelectedOutlineWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(tile.adjusted(inset, inset, -inset, -inset), Radius::small - inset, Radius::small - inset);
        veltrane::SymbolPainter::paint(painter, tile.center(), kCheckSize, u"checkmark.circle.fill", Qt::white);
    } else {
        const double inset = kOutlineWidth / 2;
        painter.setPen(QPen(veltrane::withOpacity(palette.textPrimary, kOutlineOpacity), kOutlineWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(tile.adjusted(inset, inset, -inset, -inset), Radius::small - inset, Radius::small - inset);
    }

    const veltrane::TypeStyle nameStyle { kNameSize, m_selected ? QFont::DemiBold : QFont::Medium, veltrane::FontDesign::rounded };
    painter.setFont(nameStyle.font());
    painter.setPen(m_selected ? palette.textPrimary : palette.textSecondary);
    drawElidedText(painter, QRectF(rect.left(), tile.bottom(), rect.width(), rect.bottom() - tile.bottom()),
        Qt::AlignCenter, m_theme.name);
    painter.restore();
}

} // namespace moorlet
