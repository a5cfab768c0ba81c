#pragma once

#include "VeltraneKit/Audio/AudioOutput.h"

namespace veltrane {

// An output without a device, for rendering offline (tests, benchmarks, the render tool): it
// never calls the render callback, so its owner renders by calling its own render entry point
// on one thread. start() succeeds unless told to fail, so the "device cannot start" paths can be
// driven too.
class OfflineAudioOutput final : public AudioOutput {
public:
    void setRenderCallback(RenderCallback) override { }
    bool start() override
    {
        ++m_startCount;
        m_running = !m_failsToStart;
        return m_running;
    }
    void pause() override { m_running = false; }
    void stop() override { m_running = false; }
    bool isRunning() const override { return m_running; }

    void setFailsToStart(bool fails) { m_failsToStart = fails; }
    // How many times start() was called.
    int startCount() const { return m_startCount; }

private:
    bool m_running = false;
    bool m_failsToStart = false;
    int m_startCount = 0;
};

} // namespace veltrane
