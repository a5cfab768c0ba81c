// Renders the program's sounds to 32-bit float WAV files at 44100 Hz:
//
//   sound-render noise <kind> [--seed N] [--seconds S] <out.wav>
//       One voice of a noise kind ("white", "pink", "brown", "rain", "ocean", "wind",
//       "stream"), mono, unmixed and unscaled: the file holds exactly the generator's samples.
//       The seed defaults to the mixer's.
//   sound-render mix <sound>[=level] [<sound>[=level] …] [--master V] [--seconds S] <out.wav>
//       Catalogue sounds (by id) or audio files (by path) mixed as the ambient mixer plays them,
//       stereo, each at its level (default 0.6) under the master volume (default 0.8).
//   sound-render cue <focusStart|focusEnd|breakEnd|goal> [--seconds S] <out.wav>
//       A cue as played, stereo, followed by silence when S is longer than the cue.
//
// S defaults to 10 seconds (the cue's own length for cues).

#include "Moorlet/Sound/AmbientController.h"
#include "VeltraneKit/Audio/AudioMixer.h"
#include "VeltraneKit/Audio/FloatWavFile.h"
#include "VeltraneKit/Audio/NoiseSampleGenerator.h"
#include "VeltraneKit/Audio/OfflineAudioOutput.h"
#include "VeltraneKit/Audio/SoundEffects.h"
#include "VeltraneKit/Audio/SoundLibrary.h"
#include "VeltraneKit/Time/ManualOneShotScheduler.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace veltrane;

namespace {

constexpr int kSampleRate = 44100;

struct Options {
    std::string mode;
    std::vector<std::string> subjects;
    std::optional<double> seconds;
    std::uint64_t seed = AudioMixer::kNoiseSeed;
    float master = 0.8f;
    std::string output;
};

int usage(const char* problem)
{
    std::fprintf(stderr, "sound-render: %s\n", problem);
    std::fprintf(stderr,
        "usage: sound-render noise <kind> [--seed N] [--seconds S] <out.wav>\n"
        "       sound-render mix <sound>[=level]... [--master V] [--seconds S] <out.wav>\n"
        "       sound-render cue <focusStart|focusEnd|breakEnd|goal> [--seconds S] <out.wav>\n");
    return 2;
}

template<typename Number>
std::optional<Number> parse(std::string_view text)
{
    Number value {};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<Options> parseArguments(int argc, char** argv)
{
    if (argc < 2)
        return std::nullopt;
    Options options;
    options.mode = argv[1];
    std::vector<std::string> positional;
    for (int index = 2; index < argc; ++index) {
        const std::string_view argument = argv[index];
        const auto value = [&]() -> std::optional<std::string_view> {
            if (index + 1 >= argc)
                return std::nullopt;
            return std::string_view(argv[++index]);
        };
        if (argument == "--seconds") {
            const auto text = value();
            options.seconds = text ? parse<double>(*text) : std::nullopt;
            if (!options.seconds || !(*options.seconds > 0))
                return std::nullopt;
        } else if (argument == "--seed") {
            const auto text = value();
            const auto seed = text ? parse<std::uint64_t>(*text) : std::nullopt;
            if (!seed)
                return std::nullopt;
            options.seed = *seed;
        } else if (argument == "--master") {
            const auto text = value();
            const auto master = text ? parse<float>(*text) : std::nullopt;
            if (!master)
                return std::nullopt;
            options.master = *master;
        } else {
            positional.emplace_back(argument);
        }
    }
    if (positional.size() < 2)
        return std::nullopt;
    options.output = positional.back();
    positional.pop_back();
    options.subjects = std::move(positional);
    return options;
}

std::size_t frameCount(double seconds)
{
    return static_cast<std::size_t>(std::llround(seconds * kSampleRate));
}

bool write(const Options& options, int channels, const std::vector<float>& samples)
{
    if (!FloatWavFile::write(options.output, channels, kSampleRate, samples)) {
        std::fprintf(stderr, "sound-render: cannot write %s\n", options.output.c_str());
        return false;
    }
    return true;
}

int renderNoise(const Options& options)
{
    if (options.subjects.size() != 1)
        return usage("noise takes exactly one kind");
    const auto kind = noiseKindFromRawValue(options.subjects.front());
    if (!kind)
        return usage("unknown noise kind");
    NoiseSampleGenerator generator(*kind, options.seed, static_cast<float>(kSampleRate));
    std::vector<float> samples(frameCount(options.seconds.value_or(10)));
    generator.render(samples);
    return write(options, 1, samples) ? 0 : 1;
}

int renderMix(const Options& options)
{
    const auto bundle = moorlet::AmbientController::applicationBundle();
    const auto catalogue = SoundLibrary::load("sounds", bundle).sounds();
    AudioMixer mixer(std::make_unique<OfflineAudioOutput>(), std::make_shared<ManualOneShotScheduler>());
    mixer.setMasterVolume(options.master);
    for (const auto& subject : options.subjects) {
        const auto equals = subject.find('=');
        const auto id = subject.substr(0, equals);
        auto level = moorlet::AmbientController::kDefaultLevel;
        if (equals != std::string::npos) {
            const auto parsed = parse<float>(std::string_view(subject).substr(equals + 1));
            if (!parsed)
                return usage("a level is a number");
            level = *parsed;
        }
        std::optional<TrackSource> source;
        for (const auto& sound : catalogue) {
            if (sound.id != id)
                continue;
            if (const auto kind = sound.noiseKind())
                source = TrackSource::noise(*kind);
            else if (const auto url = SoundLibrary::url(sound, bundle))
                source = TrackSource::file(*url);
        }
        if (!source && std::filesystem::is_regular_file(id))
            source = TrackSource::file(id);
        if (!source || !mixer.add(id, *source, level, 0)) {
            std::fprintf(stderr, "sound-render: %s is neither a catalogue sound nor a readable audio file\n", id.c_str());
            return 1;
        }
    }
    mixer.start();
    std::vector<float> samples(2 * frameCount(options.seconds.value_or(10)));
    // In device-sized blocks, as the audio thread would ask.
    constexpr std::size_t kBlock = 2 * 512;
    for (std::size_t start = 0; start < samples.size(); start += kBlock)
        mixer.render(std::span<float>(samples).subspan(start, std::min(kBlock, samples.size() - start)));
    return write(options, 2, samples) ? 0 : 1;
}

int renderCue(const Options& options)
{
    if (options.subjects.size() != 1)
        return usage("cue takes exactly one cue name");
    const std::pair<std::string_view, SoundEffect> cues[] = {
        { "focusStart", SoundEffect::focusStart },
        { "focusEnd", SoundEffect::focusEnd },
        { "breakEnd", SoundEffect::breakEnd },
        { "goal", SoundEffect::goal },
    };
    std::optional<SoundEffect> effect;
    for (const auto& [name, cue] : cues) {
        if (name == options.subjects.front())
            effect = cue;
    }
    if (!effect)
        return usage("unknown cue");
    const auto buffer = SoundEffects::makeBuffer(*effect);
    const auto frames = options.seconds ? frameCount(*options.seconds) : buffer.frameCount();
    std::vector<float> samples(2 * frames, 0.0f);
    for (std::size_t frame = 0; frame < std::min(frames, buffer.frameCount()); ++frame) {
        samples[2 * frame] = buffer.left[frame];
        samples[2 * frame + 1] = buffer.right[frame];
    }
    return write(options, 2, samples) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const auto options = parseArguments(argc, argv);
    if (!options)
        return usage("missing or malformed arguments");
    if (options->mode == "noise")
        return renderNoise(*options);
    if (options->mode == "mix")
        return renderMix(*options);
    if (options->mode == "cue")
        return renderCue(*options);
    return usage("the first word is noise, mix or cue");
}
