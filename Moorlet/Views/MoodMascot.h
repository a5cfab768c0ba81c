#pragma once

#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QColor>
#include <QPointF>
#include <QString>

#include <functional>
#include <optional>

class QPainter;

namespace moorlet {

// The little face of the session in the card's header: a disc of the accent at 0.14 opacity with
// a symbol for the state (a moon when idle, a leaf while focusing, a cup on a short break, an
// umbrella on a long one, a pause sign while paused). A new symbol replaces the old one with a
// quick spring, or at once under reduce motion. A pulse briefly swells the disc on a phase change.
class MoodMascot {
public:
    MoodMascot(veltrane::FrameTicker& ticker, double size);

    double size() const { return m_size; }
    void update(const QString& symbol, const QColor& accent, bool reduceMotion);
    // The disc swells to Motion.pulseScale while pulsing, easing over Motion.pulseDuration.
    void setPulsing(bool pulsing, bool reduceMotion);
    void setOnFrame(const std::function<void()>& onFrame);

    const QString& symbol() const { return m_symbol; }
    // The symbol being replaced, while the replacement runs.
    std::optional<QString> outgoingSymbol() const;
    bool pulsing() const { return m_pulse.target() > 0.5; }

    void paint(QPainter& painter, QPointF center) const;

private:
    double m_size;
    QString m_symbol;
    QString m_previous;
    QColor m_accent;
    veltrane::AnimatedValue<double> m_replace;
    veltrane::AnimatedValue<double> m_pulse;
};

} // namespace moorlet
