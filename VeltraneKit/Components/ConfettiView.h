#pragma once

#include "VeltraneKit/Components/ConfettiPiece.h"
#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace veltrane {

class FrameTicker;

// A burst of confetti over its whole area: once the view is shown every piece drops from above
// the top edge to below the bottom one, turning and fading, ease-in over 1.1 s after its own
// delay. It falls once and never repeats. It ignores pointer input.
class ConfettiView : public QWidget {
    Q_OBJECT

public:
    ConfettiView(const std::vector<QColor>& seedColors, int count, QWidget* parent = nullptr, FrameTicker* ticker = nullptr);
    // With the pieces given, for tests and replays.
    ConfettiView(std::vector<ConfettiPiece> pieces, QWidget* parent = nullptr, FrameTicker* ticker = nullptr);
    ~ConfettiView() override;

    // focus, breakPhase, streak and alert.
    static std::vector<QColor> defaultColors();

    const std::vector<ConfettiPiece>& pieces() const { return m_pieces; }
    bool falling() const { return m_fall; }
    // Each piece's fall progress at this moment, in piece order.
    std::vector<double> progress() const;
    // Lets the pieces fall (the view does it itself when first shown).
    void fall();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ConfettiPiece> m_pieces;
    std::vector<std::unique_ptr<AnimatedValue<double>>> m_progress;
    bool m_fall = false;
};

} // namespace veltrane
