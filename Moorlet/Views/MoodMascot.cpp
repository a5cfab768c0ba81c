#include "Moorlet/Views/MoodMascot.h"

#include "VeltraneKit/Motion/Motion.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"

#include <QPainter>

#include <algorithm>

namespace moorlet {

namespace {

const veltrane::Animation kReplace = veltrane::Animation::spring(0.25, 0.85);
constexpr double kDiscOpacity = 0.14;
// The symbol's size as a share of the mascot's.
constexpr double kSymbolShare = 0.52;
// A replaced symbol shrinks to this on its way out, and the new one grows from it.
constexpr double kReplacedScale = 0.5;

} // namespace

MoodMascot::MoodMascot(veltrane::FrameTicker& ticker, double size)
    : m_size(size)
    , m_replace(ticker, 1.0)
    , m_pulse(ticker, 0.0)
{
}

void MoodMascot::setOnFrame(const std::function<void()>& onFrame)
{
    m_replace.onFrame = onFrame;
    m_pulse.onFrame = onFrame;
}

void MoodMascot::update(const QString& symbol, const QColor& accent, bool reduceMotion)
{
    m_accent = accent;
    if (symbol == m_symbol)
        return;
    m_previous = m_symbol;
    m_symbol = symbol;
    if (reduceMotion || m_previous.isEmpty())
        m_replace.jumpTo(1.0);
    else
        m_replace.start(0.0, 1.0, kReplace);
}

void MoodMascot::setPulsing(bool pulsing, bool reduceMotion)
{
    const double target = pulsing ? 1.0 : 0.0;
    if (reduceMotion)
        m_pulse.jumpTo(0.0);
    else
        m_pulse.start(target, veltrane::Animation::easeInOut(veltrane::Motion::pulseDuration));
}

std::optional<QString> MoodMascot::outgoingSymbol() const
{
    if (!m_replace.animating())
        return std::nullopt;
    return m_previous;
}

void MoodMascot::paint(QPainter& painter, QPointF center) const
{
    const double swell = 1 + (veltrane::Motion::pulseScale - 1) * m_pulse.value();
    const double disc = m_size * swell;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(veltrane::withOpacity(m_accent, kDiscOpacity));
    painter.drawEllipse(center, disc / 2, disc / 2);

    const double symbolSize = m_size * kSymbolShare;
    const double t = std::clamp(m_replace.value(), 0.0, 1.0);
    const double opacity = painter.opacity();
    if (m_replace.animating() && !m_previous.isEmpty()) {
        painter.setOpacity(opacity * (1 - t));
        veltrane::SymbolPainter::paint(
            painter, center, symbolSize * (1 - (1 - kReplacedScale) * t), m_previous, m_accent);
    }
    painter.setOpacity(opacity * t);
    veltrane::SymbolPainter::paint(
        painter, center, symbolSize * (kReplacedScale + (1 - kReplacedScale) * m_replace.value()), m_symbol, m_accent);
    painter.restore();
}

} // namespace moorlet
