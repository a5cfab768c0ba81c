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
    for (Animator* animator : running) {
        if (!isAttached(animator))
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

void FrameTicker::attach(Animator* animator)
{
    if (!isAttached(animator))
        m_animators.push_back(animator);
    if (!m_driver->isRunning())
        m_driver->start([this] { tick(); });
}

void FrameTicker::detach(Animator* animator)
{
    std::erase(m_animators, animator);
    if (m_animators.empty())
        m_driver->stop();
}

bool FrameTicker::isAttached(const Animator* animator) const
{
    return std::find(m_animators.begin(), m_animators.end(), animator) != m_animators.end();
}

} // namespace veltrane
