#pragma once

#include <functional>
#include <span>

namespace veltrane {

// An audio output device that pulls interleaved stereo 32-bit float at 44100 Hz from a render
// callback on its own thread.
//
// Every method is called on the main thread. The render callback runs on the device's audio
// thread, never concurrently with itself.
class AudioOutput {
public:
    // Fills the whole span (interleaved stereo frames). Must not allocate, lock or wait.
    using RenderCallback = std::function<void(std::span<float> interleavedStereo)>;

    virtual ~AudioOutput() = default;

    // Installed once, before the first start().
    virtual void setRenderCallback(RenderCallback callback) = 0;
    // Opens a device if none is open (or the open one has gone away) and lets it run. Returns
    // whether it runs now; a failure leaves nothing behind, so the next call tries afresh.
    virtual bool start() = 0;
    // Stops pulling; the device stays open and the next start() resumes it.
    virtual void pause() = 0;
    // Closes the device. When this returns, the render callback is not running and will not run
    // until the next start().
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;
};

} // namespace veltrane
