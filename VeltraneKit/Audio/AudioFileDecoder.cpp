#include "VeltraneKit/Audio/AudioFileDecoder.h"

#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <string_view>

namespace veltrane {

namespace {

constexpr int kIoBufferSize = 64 * 1024;
// Frame counts are unsigned 32-bit values elsewhere in the audio path.
constexpr auto kMaximumFrames = static_cast<std::size_t>(std::numeric_limits<std::uint32_t>::max());
// A container's stated length is only an estimate, and a damaged or hostile header can claim
// billions of frames in a few bytes; longer files grow the buffer as they decode.
constexpr auto kMaximumReservedFrames = std::size_t { 60 } * StereoBuffer::kSampleRate;
// Beyond these a header is damaged rather than unusual (the highest rates in use are 768 kHz,
// and the resampler takes at most 64 channels). Resampling from an absurd rate would allocate
// and compute for seconds on a file of a few bytes.
constexpr int kMaximumSampleRate = 768'000;
constexpr int kMaximumChannels = 64;

// Only the containers sound files come in, and the codecs those carry. Every other demuxer and
// decoder FFmpeg has is reachable from a renamed file; the rarely used ones are where a damaged
// file of a few kilobytes costs seconds of CPU, and none of them is a sound users import.
constexpr const char* kContainers = "mp3,mov,wav,w64,aiff,caf,aac";

bool isSoundFileCodec(AVCodecID id)
{
    // Every plain PCM variant, the whole first block of audio codec ids.
    if (id >= AV_CODEC_ID_FIRST_AUDIO && id < AV_CODEC_ID_ADPCM_IMA_QT)
        return true;
    switch (id) {
    case AV_CODEC_ID_ADPCM_IMA_QT:
    case AV_CODEC_ID_ADPCM_IMA_WAV:
    case AV_CODEC_ID_ADPCM_MS:
    case AV_CODEC_ID_MP1:
    case AV_CODEC_ID_MP2:
    case AV_CODEC_ID_MP3:
    case AV_CODEC_ID_AAC:
    case AV_CODEC_ID_ALAC:
    case AV_CODEC_ID_AC3:
    case AV_CODEC_ID_EAC3:
    case AV_CODEC_ID_FLAC:
    case AV_CODEC_ID_OPUS:
    case AV_CODEC_ID_GSM_MS:
    case AV_CODEC_ID_MACE3:
    case AV_CODEC_ID_MACE6:
    case AV_CODEC_ID_QDM2:
    case AV_CODEC_ID_QDMC:
        return true;
    default:
        return false;
    }
}

// The decoders of those codecs by name, for FFmpeg's own allowlist: stream probing opens
// decoders before we pick one.
const char* soundFileDecoders()
{
    static const std::string names = [] {
        std::string list;
        void* state = nullptr;
        while (const auto* codec = av_codec_iterate(&state)) {
            if (!av_codec_is_decoder(codec) || !isSoundFileCodec(codec->id))
                continue;
            if (!list.empty())
                list += ',';
            list += codec->name;
        }
        return list;
    }();
    return names.c_str();
}

bool isPlausible(int sampleRate, int channels)
{
    return sampleRate > 0 && sampleRate <= kMaximumSampleRate && channels > 0 && channels <= kMaximumChannels;
}

struct FormatContextDeleter {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct IoContextDeleter {
    void operator()(AVIOContext* context) const
    {
        av_freep(&context->buffer);
        avio_context_free(&context);
    }
};
struct CodecContextDeleter {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketDeleter {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct ResamplerDeleter {
    void operator()(SwrContext* context) const { swr_free(&context); }
};

using FormatContextPointer = std::unique_ptr<AVFormatContext, FormatContextDeleter>;
using IoContextPointer = std::unique_ptr<AVIOContext, IoContextDeleter>;
using CodecContextPointer = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using PacketPointer = std::unique_ptr<AVPacket, PacketDeleter>;
using FramePointer = std::unique_ptr<AVFrame, FrameDeleter>;
using ResamplerPointer = std::unique_ptr<SwrContext, ResamplerDeleter>;

// FFmpeg reads through QFile, so files in the Qt resources decode like files on disk.
int readFromFile(void* opaque, std::uint8_t* buffer, int size)
{
    auto& file = *static_cast<QFile*>(opaque);
    const auto count = file.read(reinterpret_cast<char*>(buffer), size);
    if (count < 0)
        return AVERROR(EIO);
    if (count == 0)
        return AVERROR_EOF;
    return static_cast<int>(count);
}

std::int64_t seekInFile(void* opaque, std::int64_t offset, int whence)
{
    auto& file = *static_cast<QFile*>(opaque);
    if (whence & AVSEEK_SIZE)
        return file.size();
    qint64 base = 0;
    switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET:
        break;
    case SEEK_CUR:
        base = file.pos();
        break;
    case SEEK_END:
        base = file.size();
        break;
    default:
        return -1;
    }
    // A damaged header sends the demuxer to offsets far outside the file; there is nothing to
    // read there, and the sum must not overflow.
    qint64 target = 0;
    if (__builtin_add_overflow(base, offset, &target) || target < 0 || target > file.size())
        return -1;
    return file.seek(target) ? target : -1;
}

// Converts decoded frames of any sample format, rate and channel layout to 44100 Hz planar
// float stereo, appended to a buffer. A stream whose format changes part way is flushed and
// reconfigured.
class StereoConverter {
public:
    explicit StereoConverter(StereoBuffer& output)
        : m_output(output)
    {
    }

    ~StereoConverter() { av_channel_layout_uninit(&m_inputLayout); }
    StereoConverter(const StereoConverter&) = delete;
    StereoConverter& operator=(const StereoConverter&) = delete;

    bool push(const AVFrame& frame)
    {
        if (!matches(frame) && !(flush() && configure(frame)))
            return false;
        return convert(frame.extended_data, frame.nb_samples);
    }

    // Drains the samples the resampler still holds.
    bool flush()
    {
        if (!m_resampler)
            return true;
        while (true) {
            const auto before = m_output.frameCount();
            if (!convert(nullptr, 0))
                return false;
            if (m_output.frameCount() == before)
                return true;
        }
    }

private:
    bool matches(const AVFrame& frame) const
    {
        return m_resampler && frame.format == m_inputFormat && frame.sample_rate == m_inputRate
            && frame.ch_layout.nb_channels == m_inputLayout.nb_channels;
    }

    bool configure(const AVFrame& frame)
    {
        m_resampler.reset();
        av_channel_layout_uninit(&m_inputLayout);
        if (!isPlausible(frame.sample_rate, frame.ch_layout.nb_channels))
            return false;
        if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
            av_channel_layout_default(&m_inputLayout, frame.ch_layout.nb_channels);
        else if (av_channel_layout_copy(&m_inputLayout, &frame.ch_layout) < 0)
            return false;

        SwrContext* resampler = nullptr;
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        if (swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_FLTP, StereoBuffer::kSampleRate,
                &m_inputLayout, static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr)
            < 0)
            return false;
        ResamplerPointer owned(resampler);
        if (m_inputLayout.nb_channels == 1) {
            // The default matrix spreads mono 3 dB down on each side; a mono file should sound
            // as loud as it is.
            const double copyToBoth[] = { 1.0, 1.0 };
            if (swr_set_matrix(resampler, copyToBoth, 1) < 0)
                return false;
        }
        if (swr_init(resampler) < 0)
            return false;
        m_resampler = std::move(owned);
        m_inputFormat = frame.format;
        m_inputRate = frame.sample_rate;
        return true;
    }

    bool convert(const std::uint8_t* const* input, int inputCount)
    {
        const auto capacity = swr_get_out_samples(m_resampler.get(), inputCount);
        if (capacity < 0)
            return false;
        const auto start = m_output.frameCount();
        if (start + static_cast<std::size_t>(capacity) > kMaximumFrames)
            return false;
        m_output.left.resize(start + capacity);
        m_output.right.resize(start + capacity);
        std::uint8_t* planes[] = {
            reinterpret_cast<std::uint8_t*>(m_output.left.data() + start),
            reinterpret_cast<std::uint8_t*>(m_output.right.data() + start),
        };
        const auto converted = swr_convert(m_resampler.get(), planes, capacity,
            const_cast<const std::uint8_t**>(input), inputCount);
        if (converted < 0)
            return false;
        m_output.left.resize(start + converted);
        m_output.right.resize(start + converted);
        return true;
    }

    StereoBuffer& m_output;
    ResamplerPointer m_resampler;
    int m_inputFormat = -1;
    int m_inputRate = 0;
    AVChannelLayout m_inputLayout {};
};

// An estimate of the decoded length from the container, used only to reserve memory.
std::size_t expectedFrames(const AVStream& stream)
{
    if (stream.duration <= 0 || stream.time_base.den == 0)
        return 0;
    const auto seconds = static_cast<double>(stream.duration) * av_q2d(stream.time_base);
    const auto frames = seconds * StereoBuffer::kSampleRate;
    if (!(frames > 0))
        return 0;
    return std::min(static_cast<std::size_t>(std::min(frames, static_cast<double>(kMaximumReservedFrames))) + 1,
        kMaximumReservedFrames);
}

// AAC pads its last frame; MPEG-4 files state the exact length of the audio, but FFmpeg keeps
// the padding, which would sound as a short gap each time the file loops. Other containers
// either trim exactly already (mp3 with an encoder header) or state a length that is not exact
// (an estimate, or the length of whole packets), so only MPEG-4 lengths are trusted.
void trimEncoderPadding(const AVFormatContext& format, const AVStream& stream, StereoBuffer& output)
{
    if (!std::string_view(format.iformat->name).starts_with("mov,mp4") || stream.duration <= 0)
        return;
    const auto stated = std::llround(static_cast<double>(stream.duration) * av_q2d(stream.time_base) * StereoBuffer::kSampleRate);
    if (stated <= 0 || static_cast<std::size_t>(stated) >= output.frameCount())
        return;
    output.left.resize(static_cast<std::size_t>(stated));
    output.right.resize(static_cast<std::size_t>(stated));
}

std::optional<StereoBuffer> decodeFile(const std::filesystem::path& path)
{
    // A pipe or device named like a sound file would block the read for ever.
    std::error_code error;
    if (!path.native().starts_with(':') && !std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;

    auto* ioBuffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
    if (!ioBuffer)
        return std::nullopt;
    IoContextPointer io(avio_alloc_context(ioBuffer, kIoBufferSize, 0, &file, &readFromFile, nullptr, &seekInFile));
    if (!io) {
        av_free(ioBuffer);
        return std::nullopt;
    }

    auto* format = avformat_alloc_context();
    if (!format)
        return std::nullopt;
    format->pb = io.get();
    format->format_whitelist = av_strdup(kContainers);
    format->codec_whitelist = av_strdup(soundFileDecoders());
    if (!format->format_whitelist || !format->codec_whitelist) {
        avformat_free_context(format);
        return std::nullopt;
    }
    // On failure avformat_open_input frees the context itself; the I/O context stays ours.
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0)
        return std::nullopt;
    FormatContextPointer container(format);
    if (avformat_find_stream_info(format, nullptr) < 0)
        return std::nullopt;

    const AVCodec* codec = nullptr;
    const auto streamIndex = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (streamIndex < 0 || !codec || !isSoundFileCodec(codec->id))
        return std::nullopt;
    const auto& stream = *format->streams[streamIndex];
    if (!isPlausible(stream.codecpar->sample_rate, stream.codecpar->ch_layout.nb_channels))
        return std::nullopt;

    CodecContextPointer decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), stream.codecpar) < 0)
        return std::nullopt;
    decoder->pkt_timebase = stream.time_base;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return std::nullopt;

    PacketPointer packet(av_packet_alloc());
    FramePointer frame(av_frame_alloc());
    if (!packet || !frame)
        return std::nullopt;

    StereoBuffer output;
    const auto reserved = expectedFrames(stream);
    output.left.reserve(reserved);
    output.right.reserve(reserved);
    StereoConverter converter(output);

    // Hands every frame the decoder has ready to the converter. A frame the decoder rejects is
    // skipped, as a damaged packet is.
    const auto drainDecoder = [&] {
        while (true) {
            const auto status = avcodec_receive_frame(decoder.get(), frame.get());
            // Wanting more input, finished, or a damaged frame: nothing more to take now.
            if (status < 0)
                return true;
            const auto converted = converter.push(*frame);
            av_frame_unref(frame.get());
            if (!converted)
                return false;
        }
    };

    while (true) {
        const auto status = av_read_frame(format, packet.get());
        if (status == AVERROR_EOF)
            break;
        if (status < 0)
            return std::nullopt;
        const auto ours = packet->stream_index == streamIndex;
        const auto sent = ours && avcodec_send_packet(decoder.get(), packet.get()) >= 0;
        av_packet_unref(packet.get());
        if (sent && !drainDecoder())
            return std::nullopt;
    }
    avcodec_send_packet(decoder.get(), nullptr);
    if (!drainDecoder() || !converter.flush())
        return std::nullopt;
    if (output.frameCount() == 0)
        return std::nullopt;
    trimEncoderPadding(*format, stream, output);
    output.left.shrink_to_fit();
    output.right.shrink_to_fit();
    return output;
}

} // namespace

std::optional<StereoBuffer> AudioFileDecoder::decode(const std::filesystem::path& path)
{
    // FFmpeg reports every oddity of a file on stderr; a failed decode is silent here.
    av_log_set_level(AV_LOG_QUIET);
    try {
        return decodeFile(path);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace veltrane
