#pragma once

#include "VeltraneKit/Audio/AudioOutput.h"

#include <SDL2/SDL.h>

namespace veltrane {

// The SDL2 output device: 44100 Hz stereo 32-bit float in blocks of 512 frames, converted by SDL
// to whatever the sound server or card takes. The audio subsystem is initialised on the first
// start(), not at construction, so a machine without any audio device costs nothing until sound
// is asked for.
//
// A device that goes away (sound server restarted, headphones unplugged) stops SDL's audio
// thread; isRunning() then reports false and the next start() closes it and opens a new one,
// re-initialising SDL's audio back end once no other output holds it.
class SdlAudioOutput final : public AudioOutput {
public:
    static constexpr int kBlockFrames = 512;

    SdlAudioOutput() = default;
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    void setRenderCallback(RenderCallback callback) override;
    bool start() override;
    void pause() override;
    void stop() override;
    bool isRunning() const override;

private:
    static void SDLCALL fill(void* userData, Uint8* stream, int length);

    bool open();
    void close();
    void releaseSubsystem();

    RenderCallback m_render;
    SDL_AudioDeviceID m_device = 0;
    bool m_holdsSubsystem = false;
};

} // namespace veltrane
