#pragma once

#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QWidget>

#include <optional>

namespace veltrane {

class FrameTicker;

// The widget behind ProgressRing and ProgressArc: holds the progress, animates its changes when
// asked, and paints the ring inside its margins.
class ProgressView : public QWidget {
    Q_OBJECT

public:
    // The progress the view shows when its animation ends.
    double progress() const { return m_progress.target(); }
    // The progress drawn at this moment.
    double displayedProgress() const { return m_progress.value(); }
    // Moves to `progress`, animated when an animation is given.
    void setProgress(double progress, const std::optional<Animation>& animation = std::nullopt);

    // The square the ring's circle fits, inside the room kept for its stroke and glow.
    QRectF frameRect() const;

protected:
    ProgressView(QWidget* parent, FrameTicker* ticker);

    virtual double overhang() const = 0;
    virtual void paintProgress(QPainter& painter, const QRectF& frame, double progress) const = 0;
    void paintEvent(QPaintEvent* event) override;

private:
    AnimatedValue<double> m_progress;
};

// A ProgressView drawn by a painter struct with `progress`, `tint`, paint() and overhang().
template <typename Painter>
class PaintedProgressView : public ProgressView {
public:
    const QColor& tint() const { return m_style.tint; }
    void setTint(const QColor& tint)
    {
        if (tint == m_style.tint)
            return;
        m_style.tint = tint;
        update();
    }
    double overhang() const override { return m_style.overhang(); }

protected:
    PaintedProgressView(Painter style, QWidget* parent, FrameTicker* ticker)
        : ProgressView(parent, ticker)
        , m_style(std::move(style))
    {
    }

    void paintProgress(QPainter& painter, const QRectF& frame, double progress) const override
    {
        Painter shown = m_style;
        shown.progress = progress;
        shown.paint(painter, frame);
    }

private:
    Painter m_style;
};

} // namespace veltrane
