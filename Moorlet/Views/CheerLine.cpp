#include "Moorlet/Views/CheerLine.h"

#include "Moorlet/Views/CardTexts.h"
#include "VeltraneKit/Theme/DesignTokens.h"

namespace moorlet {

namespace {

const veltrane::Animation kNextPhrase = veltrane::Animation::spring(0.45, 0.85);
const veltrane::TypeStyle kStyle { 12, QFont::Medium, veltrane::FontDesign::rounded, false };
constexpr double kSmallestScale = 0.75;

} // namespace

CheerLine::CheerLine(veltrane::FrameTicker& ticker, veltrane::OneShotSchedulerPtr scheduler)
    : m_text(ticker, RollingText::Style::wholeText, RollingText::Entry::fromBelow)
    , m_scheduler(std::move(scheduler))
{
    m_text.settleFor(kStyle.font());
}

QRectF CheerLine::paintArea(const QRectF& box)
{
    return RollingText::paintArea(box, kStyle.font());
}

CheerLine::~CheerLine()
{
    m_loop.cancel();
}

QString CheerLine::phrase() const
{
    if (!m_phase)
        return {};
    const QStringList phrases = CardTexts::cheerPhrases(*m_phase, m_paused);
    if (phrases.isEmpty())
        return {};
    return phrases[m_index % phrases.size()];
}

void CheerLine::update(SessionPhase phase, bool paused, bool shown, bool reduceMotion)
{
    const bool newPhase = m_phase != phase;
    const bool newlyShown = shown && !m_shown;
    const bool loopChanged = shown != m_shown || reduceMotion != m_reduceMotion;
    m_phase = phase;
    m_paused = paused;
    m_shown = shown;
    m_reduceMotion = reduceMotion;
    if (newPhase || newlyShown || reduceMotion)
        m_index = 0;
    m_text.setText(phrase(), std::nullopt);
    if (newPhase || newlyShown || loopChanged)
        restartLoop();
}

void CheerLine::restartLoop()
{
    m_loop.cancel();
    if (!m_shown || m_reduceMotion)
        return;
    m_loop = m_scheduler->schedule(kPhraseDuration, [this] { advance(); });
}

void CheerLine::advance()
{
    ++m_index;
    m_text.setText(phrase(), kNextPhrase);
    restartLoop();
}

void CheerLine::paint(QPainter& painter, const QRectF& box, const QColor& color) const
{
    m_text.paint(painter, box, kStyle.font(), color, Qt::AlignHCenter, kSmallestScale);
}

} // namespace moorlet
