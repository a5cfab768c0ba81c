#include "VeltraneKit/Motion/FrameTicker.h"

#include "VeltraneKit/Motion/Animator.h"

#include <algorithm>

namespace veltrane {

FrameTicker::FrameTicker(ClockPtr clock, std::unique_ptr<FrameDriver> driver)
    : m_clock(std::move(clock))
    , m_driver(std::move(driver))
{
}

FrameTicker::~FrameTicker()
{
    // Animators that outlive their ticker must not reach back into it.
    for (Animator* animator : m_animators)
        animator->m_attached = false;
    m_driver->stop();
}

void FrameTicker::setMode(Mode mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    if (mode != Mode::instant)
        return;
    const std::vector<Animator*> running = m_animators;
    for (Animator* animator : running) {
        if (isAttached(animator))
            animator->finishRun(AnimationOutcome::skipped);
    }
}

void FrameTicker::tick()
{
    ++m_frames;
    const Instant frameTime = now();
    // Callbacks may start, finish or destroy animators: walk a copy and skip whatever left.
    const std::vector<Animator*> running = m_animators;
    // Which reduced rates have a frame now, decided before any callback runs.
    std::vector<Seconds> due;
    for (const Animator* animator : running) {
        const Seconds interval = animator->frameInterval();
        if (interval > 0 && std::find(due.begin(), due.end(), interval) == due.end() && isDue(interval, frameTime))
            due.push_back(interval);
    }
    for (Seconds interval : due) {
        if (Cadence* cadence = cadenceOf(interval))
            cadence->lastFrame = frameTime;
        else
            m_cadences.push_back({ interval, frameTime });
    }
    for (Animator* animator : running) {
        if (!isAttached(animator))
            continue;
        const Seconds interval = animator->frameInterval();
        if (interval > 0 && std::find(due.begin(), due.end(), interval) == due.end())
            continue;
        if (animator->advance(frameTime)) {
            if (animator->onFrame)
                animator->onFrame();
        } else {
            animator->finishRun(AnimationOutcome::completed);
        }
    }
    if (m_animators.empty())
        m_driver->stop();
}

FrameTicker::Cadence* FrameTicker::cadenceOf(Seconds interval)
{
    const auto cadence = std::find_if(m_cadences.begin(), m_cadences.end(),
        [interval](const Cadence& each) { return each.interval == interval; });
    return cadence != m_cadences.end() ? &*cadence : nullptr;
}

bool FrameTicker::isDue(Seconds interval, Instant frameTime)
{
    const Cadence* cadence = cadenceOf(interval);
    if (!cadence)
        return true;
    // Timers fire a little late or early: a frame within half a display frame of the due time
    // counts, so a driver running at exactly this interval never skips one.
    return frameTime - cadence->lastFrame >= interval - FrameDriver::kDisplayInterval / 2;
}

void FrameTicker::updateInterval()
{
    Seconds interval = 0;
    for (const Animator* animator : m_animators) {
        const Seconds each = animator->frameInterval();
        if (each <= 0) {
            interval = FrameDriver::kDisplayInterval;
            break;
        }
        interval = interval > 0 ? std::min(interval, each) : each;
    }
    // Rates nobody uses any more start afresh when they come back.
    std::erase_if(m_cadences, [this](const Cadence& cadence) {
        return std::none_of(m_animators.begin(), m_animators.end(),
            [&](const Animator* animator) { return animator->frameInterval() == cadence.interval; });
    });
    if (interval <= 0 || interval == m_interval)
        return;
    m_interval = interval;
    m_driver->setInterval(interval);
}

void FrameTicker::attach(Animator* animator)
{
    if (!isAttached(animator))
        m_animators.push_back(animator);
    updateInterval();
    if (!m_driver->isRunning())
        m_driver->start([this] { tick(); });
}

void FrameTicker::detach(Animator* animator)
{
    std::erase(m_animators, animator);
    updateInterval();
    if (m_animators.empty())
        m_driver->stop();
}

bool FrameTicker::isAttached(const Animator* animator) const
{
    return std::find(m_animators.begin(), m_animators.end(), animator) != m_animators.end();
}

} // namespace veltrane
