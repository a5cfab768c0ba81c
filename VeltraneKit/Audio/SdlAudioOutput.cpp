#include "VeltraneKit/Audio/SdlAudioOutput.h"

#include <algorithm>
#include <cassert>

namespace veltrane {

SdlAudioOutput::~SdlAudioOutput()
{
    close();
    releaseSubsystem();
}

void SdlAudioOutput::setRenderCallback(RenderCallback callback)
{
    assert(m_device == 0 && "the callback is installed before the device opens");
    m_render = std::move(callback);
}

bool SdlAudioOutput::start()
{
    if (m_device != 0 && SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED) {
        // The device went away. Drop it and SDL's back end with it, which may have lost its
        // connection to the sound server too.
        close();
        releaseSubsystem();
    }
    if (m_device == 0 && !open()) {
        releaseSubsystem();
        return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    return isRunning();
}

void SdlAudioOutput::pause()
{
    if (m_device != 0)
        SDL_PauseAudioDevice(m_device, 1);
}

void SdlAudioOutput::stop()
{
    close();
}

bool SdlAudioOutput::isRunning() const
{
    return m_device != 0 && SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_PLAYING;
}

bool SdlAudioOutput::open()
{
    if (!m_holdsSubsystem) {
        // SDL would otherwise take over SIGINT and SIGTERM, and the program would no longer end
        // on Ctrl+C, kill or logout.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        m_holdsSubsystem = true;
    }
    SDL_AudioSpec desired {};
    desired.freq = 44100;
    desired.format = AUDIO_F32SYS;
    desired.channels = 2;
    desired.samples = kBlockFrames;
    desired.callback = &SdlAudioOutput::fill;
    desired.userdata = this;
    // No changes allowed: SDL converts to the device's own format, so the callback always
    // renders exactly what it was built for.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &desired, nullptr, 0);
    return m_device != 0;
}

void SdlAudioOutput::close()
{
    if (m_device == 0)
        return;
    // Returns once SDL's audio thread has finished its last callback.
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
}

void SdlAudioOutput::releaseSubsystem()
{
    if (!m_holdsSubsystem)
        return;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_holdsSubsystem = false;
}

void SDLCALL SdlAudioOutput::fill(void* userData, Uint8* stream, int length)
{
    auto* self = static_cast<SdlAudioOutput*>(userData);
    auto* samples = reinterpret_cast<float*>(stream);
    const auto count = static_cast<std::size_t>(length) / sizeof(float);
    if (self->m_render)
        self->m_render(std::span<float>(samples, count));
    else
        std::fill_n(samples, count, 0.0f);
}

} // namespace veltrane
