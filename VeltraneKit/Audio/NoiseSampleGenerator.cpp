#include "VeltraneKit/Audio/NoiseSampleGenerator.h"

#include <algorithm>
#include <cmath>

namespace veltrane {

namespace {

// 2^-24: scales the top 24 bits of the xorshift state into [0, 1).
constexpr auto kTopBitsScale = 5.9604645e-8f;
constexpr auto kDropletIdleLevel = 0.002f;
constexpr auto kTwoPi = 6.283185f;

float clamp(float value, float low, float high)
{
    return std::min(std::max(value, low), high);
}

// One one-pole stage: state moves towards input by coefficient.
void follow(float& state, float coefficient, float input)
{
    state = state + coefficient * (input - state);
}

} // namespace

NoiseSampleGenerator::NoiseSampleGenerator(NoiseKind kind, std::uint64_t seed, float sampleRate)
    : m_kind(kind)
    , m_rng(seed == 0 ? kZeroSeedReplacement : seed)
    , m_sampleRate(sampleRate)
    , m_dropletChance(18.0f / sampleRate)
    , m_bubbleChance(6.0f / sampleRate)
    , m_slowPhaseStep(0.5654867f / sampleRate)
    , m_fastPhaseStep(0.3581415f / sampleRate)
{
}

float NoiseSampleGenerator::draw()
{
    auto state = m_rng;
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    m_rng = state;
    // The top 24 bits fit an int32_t, whose conversion is one instruction; an unsigned 64-bit
    // one is not. The value is the same.
    const auto topBits = static_cast<std::int32_t>(state >> 40);
    return 2.0f * (static_cast<float>(topBits) * kTopBitsScale) - 1.0f;
}

float NoiseSampleGenerator::next()
{
    const auto white = draw();
    float shaped = white;
    switch (m_kind) {
    case NoiseKind::white:
        break;
    case NoiseKind::pink:
        shaped = pink(white);
        break;
    case NoiseKind::brown:
        shaped = brown(white);
        break;
    case NoiseKind::rain:
        shaped = rain(white);
        break;
    case NoiseKind::ocean:
        shaped = ocean(white);
        break;
    case NoiseKind::wind:
        shaped = wind(white);
        break;
    case NoiseKind::stream:
        shaped = stream(white);
        break;
    }
    return clamp(shaped, -1.0f, 1.0f);
}

void NoiseSampleGenerator::render(std::span<float> buffer)
{
    for (auto& sample : buffer)
        sample = next();
}

float NoiseSampleGenerator::pink(float w)
{
    m_b0 = 0.99886f * m_b0 + 0.0555179f * w;
    m_b1 = 0.99332f * m_b1 + 0.0750759f * w;
    m_b2 = 0.96900f * m_b2 + 0.1538520f * w;
    m_b3 = 0.86650f * m_b3 + 0.3104856f * w;
    m_b4 = 0.55000f * m_b4 + 0.5329522f * w;
    m_b5 = -0.7616f * m_b5 - 0.0168980f * w;
    // The sum takes the previous b6; only then is the new one stored.
    const auto sum = m_b0 + m_b1 + m_b2 + m_b3 + m_b4 + m_b5 + m_b6 + 0.5362f * w;
    m_b6 = 0.115926f * w;
    return 0.11f * sum;
}

float NoiseSampleGenerator::brown(float w)
{
    m_brown = 0.999f * m_brown + 0.02f * w;
    return 0.9f * m_brown;
}

float NoiseSampleGenerator::rain(float w)
{
    follow(m_lpLow, 0.04f, w);
    m_lpMid = m_lpMid + 0.22f * (w - m_lpLow - m_lpMid);

    float accumulated = 0;
    for (auto& droplet : m_droplets) {
        // Every droplet draws once per sample, idle or not, before anything else.
        const auto r = draw();
        if (droplet.env < kDropletIdleLevel) {
            if (m_dropletChance > 0.5f * r + 0.5f) {
                droplet.env = drawUniform() * 0.75f + 0.25f;
                droplet.decay = std::exp(-1.0f / ((drawUniform() * 14.0f + 4.0f) * 0.001f * m_sampleRate));
                droplet.coeff = drawUniform() * 0.45f + 0.1f;
            }
            continue;
        }
        follow(droplet.s1, droplet.coeff, droplet.env * r);
        follow(droplet.s2, droplet.coeff, droplet.s1);
        accumulated = accumulated + 2.4f * (droplet.s1 - droplet.s2);
        droplet.env = droplet.env * droplet.decay;
    }
    return 0.62f * m_lpMid + 0.85f * accumulated;
}

float NoiseSampleGenerator::ocean(float w)
{
    // slowPhase turns at 0.09 Hz, fastPhase at 0.057 Hz: the names are historical.
    m_slowPhase = m_slowPhase + m_slowPhaseStep;
    m_fastPhase = m_fastPhase + m_fastPhaseStep;
    if (m_slowPhase > kTwoPi)
        m_slowPhase = m_slowPhase - kTwoPi;
    if (m_fastPhase > kTwoPi)
        m_fastPhase = m_fastPhase - kTwoPi;

    m_walkA = 0.99999f * m_walkA + 0.0006f * w;
    const auto wave = 0.55f * std::sin(m_slowPhase) + 0.45f * std::sin(m_fastPhase);
    auto level = 0.5f * (6.0f * m_walkA + wave) + 0.5f;
    // Written so that a value that is not a number ends at 0.
    level = level >= 0.0f ? std::min(level, 1.0f) : 0.0f;
    const auto swell = level * level;

    m_brown = 0.999f * m_brown + 0.02f * w;
    follow(m_lpLow, 0.1f, w);
    m_lpMid = m_lpMid + 0.3f * (w - m_lpLow - m_lpMid);
    return 0.85f * m_brown * (0.22f + 0.78f * swell) + 0.55f * m_lpMid * (swell * swell);
}

float NoiseSampleGenerator::wind(float w)
{
    m_walkA = 0.999995f * m_walkA + 0.00012f * w;
    m_walkB = 0.999992f * m_walkB + 0.00018f * w;

    const auto centre = 380.0f * std::exp(clamp(14.0f * m_walkA, -1.2f, 1.2f));
    const auto f = std::min(centre * kTwoPi / m_sampleRate, 0.25f);
    const auto highPass = w - m_svfLow - 1.4f * m_svfBand;
    m_svfBand = m_svfBand + f * highPass;
    m_svfLow = m_svfLow + f * m_svfBand;

    const auto gust = clamp(10.0f * m_walkB + 0.55f, 0.12f, 1.0f);
    return 1.9f * m_svfBand * gust;
}

float NoiseSampleGenerator::stream(float w)
{
    follow(m_lpLow, 0.08f, w);
    const auto x = w - m_lpLow;

    follow(m_bandMid.first, 0.16f, x);
    follow(m_bandMid.second, 0.16f, m_bandMid.first);

    const auto rA = draw();
    const auto rB = draw();
    const auto rC = draw();
    follow(m_envMid, 0.00038f, 14.0f * rB);

    follow(m_bandLo.first, 0.07f, x);
    follow(m_bandLo.second, 0.07f, m_bandLo.first);
    follow(m_bandHi.first, 0.32f, x);
    follow(m_bandHi.second, 0.32f, m_bandHi.first);

    follow(m_envLo, 0.00022f, 14.0f * rA);
    follow(m_envHi, 0.00055f, 14.0f * rC);

    auto& bubble = m_droplets[0];
    if (bubble.env < kDropletIdleLevel) {
        if (m_bubbleChance > 0.5f * draw() + 0.5f) {
            bubble.env = drawUniform() * 0.5f + 0.2f;
            bubble.decay = std::exp(-1.0f / (m_sampleRate * (drawUniform() * 8.0f + 3.0f) * 0.001f));
            bubble.coeff = drawUniform() * 0.35f + 0.25f;
        }
    }
    // Unlike a rain droplet, a bubble spawned in this sample already sounds in it.
    float bubbleSample = 0;
    if (bubble.env >= kDropletIdleLevel) {
        const auto r = draw();
        follow(bubble.s1, bubble.coeff, r * bubble.env);
        follow(bubble.s2, bubble.coeff, bubble.s1);
        bubbleSample = bubble.s1 - bubble.s2;
        bubble.env = bubble.env * bubble.decay;
    }

    const auto gainMid = 0.45f * clamp(m_envMid, -1.0f, 1.0f) + 0.55f;
    const auto gainLo = 0.4f * clamp(m_envLo, -1.0f, 1.0f) + 0.6f;
    const auto gainHi = 0.5f * clamp(m_envHi, -1.0f, 1.0f) + 0.5f;
    return ((1.4f * (m_bandMid.first - m_bandMid.second) * gainMid
                + 1.6f * (m_bandLo.first - m_bandLo.second) * gainLo)
               + 1.1f * (m_bandHi.first - m_bandHi.second) * gainHi)
        + bubbleSample;
}

} // namespace veltrane
