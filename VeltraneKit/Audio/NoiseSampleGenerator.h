#pragma once

#include "VeltraneKit/Audio/NoiseKind.h"

#include <array>
#include <cstdint>
#include <span>

namespace veltrane {

// One synthesised voice: a xorshift white-noise source shaped by small filters, random walks,
// sine swells and resonant droplet bursts into one of the seven kinds. Every operation is
// single-precision and the order of operations and random draws is fixed, so a kind and seed
// always yield the same stream, bit for bit (NoiseSampleGeneratorTest checks it against values
// computed independently).
//
// Owned by one render callback: after creation only the audio thread touches it. The per-sample
// path allocates nothing and takes no lock.
class NoiseSampleGenerator {
public:
    // The seed that replaces 0, which would keep xorshift at 0 for ever.
    static constexpr std::uint64_t kZeroSeedReplacement = 0x9E3779B97F4A7C15ULL;

    NoiseSampleGenerator(NoiseKind kind, std::uint64_t seed, float sampleRate);

    NoiseKind kind() const { return m_kind; }
    float sampleRate() const { return m_sampleRate; }

    // Advances by one sample and returns it, always within [-1, 1].
    float next();
    // Fills the buffer in order with successive samples, as next() once per element would.
    void render(std::span<float> buffer);

private:
    // A resonant burst voice (rain uses all four, stream the first as its bubble). Idle while
    // env is below kDropletIdleLevel.
    struct Droplet {
        float env = 0;
        float decay = 0;
        float coeff = 0.3f;
        float s1 = 0;
        float s2 = 0;
    };

    // Two cascaded one-pole stages of one stream band.
    struct BandState {
        float first = 0;
        float second = 0;
    };

    float draw();
    float drawUniform() { return 0.5f * draw() + 0.5f; }

    float pink(float white);
    float brown(float white);
    float rain(float white);
    float ocean(float white);
    float wind(float white);
    float stream(float white);

    NoiseKind m_kind;
    std::uint64_t m_rng;
    float m_sampleRate;
    // Quotients by the sample rate, computed once: the same values the formulas give per sample.
    float m_dropletChance; // 18 new droplets a second per idle rain voice
    float m_bubbleChance; // 6 stream bubbles a second
    float m_slowPhaseStep; // 2π × 0.09 Hz
    float m_fastPhaseStep; // 2π × 0.057 Hz
    float m_b0 = 0, m_b1 = 0, m_b2 = 0, m_b3 = 0, m_b4 = 0, m_b5 = 0, m_b6 = 0;
    float m_brown = 0;
    float m_lpLow = 0, m_lpMid = 0;
    float m_slowPhase = 0, m_fastPhase = 0;
    float m_walkA = 0, m_walkB = 0;
    float m_svfLow = 0, m_svfBand = 0;
    BandState m_bandLo, m_bandMid, m_bandHi;
    float m_envLo = 0, m_envMid = 0, m_envHi = 0;
    std::array<Droplet, 4> m_droplets {};
};

} // namespace veltrane
