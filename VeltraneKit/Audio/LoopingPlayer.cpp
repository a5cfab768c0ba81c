#include "VeltraneKit/Audio/LoopingPlayer.h"

#include <algorithm>

namespace veltrane {

LoopingPlayer::LoopingPlayer(std::shared_ptr<const StereoBuffer> buffer)
    : m_buffer(std::move(buffer))
{
}

void LoopingPlayer::operator()(std::span<float* const> channels, std::size_t frameCount)
{
    const auto length = m_buffer ? m_buffer->frameCount() : 0;
    if (length == 0) {
        for (auto* channel : channels)
            std::fill_n(channel, frameCount, 0.0f);
        return;
    }
    std::size_t written = 0;
    while (written < frameCount) {
        const auto run = std::min(frameCount - written, length - m_position);
        for (std::size_t index = 0; index < channels.size(); ++index) {
            const auto& source = index == 1 ? m_buffer->right : m_buffer->left;
            std::copy_n(source.data() + m_position, run, channels[index] + written);
        }
        written += run;
        m_position += run;
        if (m_position == length)
            m_position = 0;
    }
}

} // namespace veltrane
