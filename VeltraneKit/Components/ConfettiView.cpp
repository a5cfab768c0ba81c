#include "VeltraneKit/Components/ConfettiView.h"

#include "VeltraneKit/Components/ConfettiPainter.h"
#include "VeltraneKit/Components/SharedFrameTicker.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QPainter>

namespace veltrane {

namespace {

constexpr Seconds kFallDuration = 1.1;

std::vector<ConfettiPiece> randomPieces(const std::vector<QColor>& seedColors, int count)
{
    static std::mt19937_64 generator { std::random_device {}() };
    return ConfettiPiece::random(seedColors, count, generator);
}

} // namespace

ConfettiView::ConfettiView(const std::vector<QColor>& seedColors, int count, QWidget* parent, FrameTicker* ticker)
    : ConfettiView(randomPieces(seedColors, count), parent, ticker)
{
}

ConfettiView::ConfettiView(std::vector<ConfettiPiece> pieces, QWidget* parent, FrameTicker* ticker)
    : QWidget(parent)
    , m_pieces(std::move(pieces))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    FrameTicker& frames = ticker ? *ticker : sharedFrameTicker();
    for ([[maybe_unused]] const ConfettiPiece& piece : m_pieces) {
        auto progress = std::make_unique<AnimatedValue<double>>(frames, 0.0);
        // Repaints asked by several pieces in one frame fold into one.
        progress->onFrame = [this] { update(); };
        m_progress.push_back(std::move(progress));
    }
}

ConfettiView::~ConfettiView() = default;

std::vector<QColor> ConfettiView::defaultColors()
{
    namespace Colors = DesignTokens::Colors;
    return { Colors::focus(), Colors::breakPhase(), Colors::streak(), Colors::alert() };
}

std::vector<double> ConfettiView::progress() const
{
    std::vector<double> result;
    result.reserve(m_progress.size());
    for (const auto& value : m_progress)
        result.push_back(value->value());
    return result;
}

void ConfettiView::fall()
{
    if (m_fall)
        return;
    m_fall = true;
    for (std::size_t i = 0; i < m_pieces.size(); ++i)
        m_progress[i]->start(1.0, Animation::easeIn(kFallDuration).delayed(m_pieces[i].delay));
    update();
}

void ConfettiView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fall();
}

void ConfettiView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ConfettiPainter::paint(painter, rect(), m_pieces, progress());
}

} // namespace veltrane
