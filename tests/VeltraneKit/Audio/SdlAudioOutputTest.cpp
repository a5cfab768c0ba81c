#include "VeltraneKit/Audio/AudioMixer.h"
#include "VeltraneKit/Audio/NoiseSampleGenerator.h"
#include "VeltraneKit/Audio/SdlAudioOutput.h"
#include "VeltraneKit/Audio/SoundEffects.h"
#include "VeltraneKit/Time/ManualOneShotScheduler.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace veltrane;

namespace {

constexpr std::size_t kDeviceBlock = SdlAudioOutput::kBlockFrames;

// Records everything SDL's disk driver writes into a file of raw interleaved stereo float.
// The driver paces its writes by SDL_DISKAUDIODELAY milliseconds per block instead of real time.
class DiskDevice {
public:
    explicit DiskDevice(const std::string& file)
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIODELAY", "2", 1);
        redirect(file);
    }

    void redirect(const std::string& file) { setenv("SDL_DISKAUDIOFILE", file.c_str(), 1); }

    static std::size_t framesIn(const std::string& file)
    {
        std::error_code error;
        const auto bytes = std::filesystem::file_size(file, error);
        return error ? 0 : static_cast<std::size_t>(bytes) / (2 * sizeof(float));
    }

    static std::vector<float> read(const std::string& file)
    {
        std::ifstream stream(file, std::ios::binary);
        std::vector<float> samples(2 * framesIn(file));
        stream.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * sizeof(float)));
        return samples;
    }

    // The device writes silence while paused and before anything is queued, always in whole
    // blocks; this is where the first block with sound begins, in samples.
    static std::size_t firstSoundingBlock(const std::vector<float>& samples)
    {
        for (std::size_t start = 0; start + 2 * kDeviceBlock <= samples.size(); start += 2 * kDeviceBlock) {
            if (std::any_of(samples.begin() + static_cast<std::ptrdiff_t>(start),
                    samples.begin() + static_cast<std::ptrdiff_t>(start + 2 * kDeviceBlock), [](float sample) { return sample != 0.0f; }))
                return start;
        }
        return samples.size();
    }
};

} // namespace

TEST(SdlAudioOutputTest, MixedSamplesReachTheDeviceExactly)
{
    testsupport::TemporaryFolder folder;
    const auto file = folder.filePath("mix.raw").toStdString();
    DiskDevice device(file);

    AudioMixer mixer(std::make_unique<SdlAudioOutput>(), std::make_shared<ManualOneShotScheduler>());
    mixer.setMasterVolume(0.8f);
    ASSERT_TRUE(mixer.add("pink", TrackSource::noise(NoiseKind::pink), 0.5f, 0));
    mixer.start();
    ASSERT_TRUE(mixer.isRunning());
    ASSERT_TRUE(testsupport::waitUntil([&] { return DiskDevice::framesIn(file) >= 20 * kDeviceBlock; }));
    mixer.stopAll();
    EXPECT_FALSE(mixer.isRunning());

    const auto samples = DiskDevice::read(file);
    const auto start = DiskDevice::firstSoundingBlock(samples);
    ASSERT_LT(start + 2 * 10 * kDeviceBlock, samples.size());
    NoiseSampleGenerator generator(NoiseKind::pink, AudioMixer::kNoiseSeed, 44100.0f);
    for (std::size_t frame = 0; frame < 10 * kDeviceBlock; ++frame) {
        const auto expected = 0.8f * (0.0f + 0.5f * generator.next());
        ASSERT_TRUE(samples[start + 2 * frame] == expected && samples[start + 2 * frame + 1] == expected) << "frame " << frame;
    }
}

TEST(SdlAudioOutputTest, ADeviceThatGoesAwayIsReopenedByTheNextStart)
{
    testsupport::TemporaryFolder folder;
    // Every write to /dev/full fails, which the disk driver takes for a lost device.
    DiskDevice device("/dev/full");
    AudioMixer mixer(std::make_unique<SdlAudioOutput>(), std::make_shared<ManualOneShotScheduler>());
    ASSERT_TRUE(mixer.add("white", TrackSource::noise(NoiseKind::white), 1.0f, 0));
    mixer.start();
    ASSERT_TRUE(testsupport::waitUntil([&] { return !mixer.isRunning(); }));
    // Calls on a lost device are harmless.
    mixer.pause();
    mixer.setVolume(0.5f, "white");

    const auto file = folder.filePath("after.raw").toStdString();
    device.redirect(file);
    mixer.start();
    EXPECT_TRUE(mixer.isRunning());
    ASSERT_TRUE(testsupport::waitUntil([&] { return DiskDevice::framesIn(file) >= 4 * kDeviceBlock; }));
    mixer.pause();
    const auto samples = DiskDevice::read(file);
    EXPECT_LT(DiskDevice::firstSoundingBlock(samples), samples.size());
}

TEST(SdlAudioOutputTest, NoDeviceAtAllLeavesEverythingSilentAndWorking)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    AudioMixer mixer(std::make_unique<SdlAudioOutput>(), std::make_shared<ManualOneShotScheduler>());
    ASSERT_TRUE(mixer.add("rain", TrackSource::noise(NoiseKind::rain), 0.5f, 0));
    mixer.start();
    EXPECT_FALSE(mixer.isRunning());
    mixer.pause();

    SoundEffects effects(std::make_unique<SdlAudioOutput>());
    effects.play(SoundEffect::goal);
    EXPECT_FALSE(effects.isRunning());
}
