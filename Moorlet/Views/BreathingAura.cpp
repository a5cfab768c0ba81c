#include "Moorlet/Views/BreathingAura.h"

#include "VeltraneKit/Motion/Motion.h"
#include "VeltraneKit/Theme/ColorOpacity.h"

#include <QPainter>
#include <QRadialGradient>

namespace moorlet {

namespace {

using veltrane::Animation;

const Animation kChange = Animation::easeInOut(0.6);
const Animation kBreath = Animation::easeInOut(3.6)
                              .repeatingForever(Animation::Reversal::autoreverses)
                              .atFrameRate(veltrane::Motion::ambientFrameRate);
constexpr double kInactiveOpacity = 0.82;

struct Glow {
    double activeOpacity;
    double inactiveOpacity;
    double startRadius;
    double endRadius;
    double blur;
};
// The outer and the inner glow. A blurred radial gradient is drawn as the same gradient reaching
// further by the blur radius, which is what the blur does to its soft edge.
constexpr Glow kOuter { 0.45, 0.12, 2, 130, 18 };
constexpr Glow kInner { 0.35, 0.08, 1, 70, 8 };

} // namespace

BreathingAura::BreathingAura(veltrane::FrameTicker& ticker)
    : m_tint(ticker, Qt::transparent)
    , m_active(ticker, 0.0)
    , m_scale(ticker, 1.0)
{
}

void BreathingAura::setOnFrame(const std::function<void()>& onFrame)
{
    m_tint.setOnFrame(onFrame);
    m_active.onFrame = onFrame;
    m_scale.onFrame = onFrame;
}

void BreathingAura::update(const QColor& tint, bool active, bool reduceMotion)
{
    // The first look is taken as it is; only later changes blend.
    const std::optional<Animation> change = m_initialised ? std::optional(kChange) : std::nullopt;
    m_initialised = true;
    // Only a real change animates: restarting a blend towards the same value every tick would
    // keep the frame ticker running for as long as the card exists.
    if (change == std::nullopt || tint != m_tint.target())
        m_tint.start(tint, change);
    if (const double level = active ? 1.0 : 0.0; change == std::nullopt || level != m_active.target())
        m_active.start(level, change);

    const bool breathe = active && !reduceMotion;
    if (breathe == m_breathing)
        return;
    m_breathing = breathe;
    if (breathe)
        m_scale.start(kSmallestScale, kLargestScale, kBreath);
    else if (reduceMotion)
        m_scale.jumpTo(1.0);
    else
        m_scale.start(1.0, kChange);
}

double BreathingAura::opacity() const
{
    return kInactiveOpacity + (1 - kInactiveOpacity) * m_active.value();
}

void BreathingAura::paint(QPainter& painter, QPointF center) const
{
    const QColor tint = m_tint.value();
    const double active = m_active.value();
    painter.save();
    painter.setOpacity(painter.opacity() * opacity());
    painter.translate(center);
    painter.scale(scale(), scale());
    m_layer.draw(painter, QRectF(-kReach, -kReach, 2 * kReach, 2 * kReach), layerKey(tint.rgba(), active),
        [&](QPainter& layer) {
            layer.translate(kReach, kReach);
            layer.setPen(Qt::NoPen);
            for (const Glow& glow : { kOuter, kInner }) {
                const double alpha = glow.inactiveOpacity + (glow.activeOpacity - glow.inactiveOpacity) * active;
                const double reach = glow.endRadius + glow.blur;
                QRadialGradient gradient(QPointF(0, 0), reach);
                gradient.setColorAt(0, veltrane::withOpacity(tint, alpha));
                gradient.setColorAt(glow.startRadius / reach, veltrane::withOpacity(tint, alpha));
                gradient.setColorAt(1, veltrane::withOpacity(tint, 0));
                layer.setBrush(gradient);
                layer.drawEllipse(QPointF(0, 0), reach, reach);
            }
        });
    painter.restore();
}

} // namespace moorlet
