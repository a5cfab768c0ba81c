#include "VeltraneKit/Motion/Animator.h"

#include "VeltraneKit/Motion/FrameTicker.h"

namespace veltrane {

Animator::Animator(FrameTicker& ticker)
    : m_ticker(&ticker)
{
}

Animator::~Animator()
{
    if (m_attached)
        m_ticker->detach(this);
}

void Animator::attach()
{
    m_attached = true;
    m_ticker->attach(this);
}

void Animator::detach()
{
    if (!m_attached)
        return;
    m_attached = false;
    m_ticker->detach(this);
}

void Animator::finishRun(AnimationOutcome outcome)
{
    detach();
    if (outcome != AnimationOutcome::interrupted) {
        land();
        if (onFrame)
            onFrame();
    }
    if (onFinished)
        onFinished(outcome);
}

Instant Animator::now() const
{
    return m_ticker->now();
}

} // namespace veltrane
