#pragma once

#include "Moorlet/Views/RollingText.h"
#include "MoorletCore/SessionPhase.h"
#include "VeltraneKit/Time/OneShotScheduler.h"

#include <QStringList>

namespace moorlet {

// The small encouraging line under the card's countdown. While it is shown it moves on to the
// next phrase for the state every six seconds, the new phrase rising into place; every phase
// change starts again at the first phrase. Under reduce motion the first phrase stays.
class CheerLine {
public:
    static constexpr veltrane::Seconds kPhraseDuration = 6;

    CheerLine(veltrane::FrameTicker& ticker, veltrane::OneShotSchedulerPtr scheduler);
    ~CheerLine();
    CheerLine(const CheerLine&) = delete;
    CheerLine& operator=(const CheerLine&) = delete;

    // The state the phrases are for, whether the line is on screen, and whether motion is
    // reduced. A new phase starts over at the first phrase.
    void update(SessionPhase phase, bool paused, bool shown, bool reduceMotion);
    void setOnFrame(std::function<void()> onFrame) { m_text.setOnFrame(std::move(onFrame)); }

    int index() const { return m_index; }
    // The phrase shown: the state's phrase at index modulo their count; empty without phrases.
    QString phrase() const;
    const RollingText& text() const { return m_text; }
    bool isRotating() const { return m_loop.isPending(); }

    void paint(QPainter& painter, const QRectF& box, const QColor& color) const;
    // Everything paint() may touch for a line in `box`, a phrase rolling in included.
    static QRectF paintArea(const QRectF& box);

private:
    void restartLoop();
    void advance();

    RollingText m_text;
    veltrane::OneShotSchedulerPtr m_scheduler;
    veltrane::ScheduledTask m_loop;
    std::optional<SessionPhase> m_phase;
    bool m_paused = false;
    bool m_shown = false;
    bool m_reduceMotion = false;
    int m_index = 0;
};

} // namespace moorlet
