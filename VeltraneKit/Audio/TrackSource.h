#pragma once

#include "VeltraneKit/Audio/NoiseKind.h"
#include "VeltraneKit/Audio/StereoBuffer.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <variant>

namespace veltrane {

// What a mixer track plays: a live noise voice of one kind, or an audio file decoded into memory
// (a path on disk or in the application's Qt resources), or audio a caller decoded already (on a
// thread of its own, so that the main thread never waits for a file).
class TrackSource {
public:
    static TrackSource noise(NoiseKind kind) { return TrackSource(kind); }
    static TrackSource file(std::filesystem::path path) { return TrackSource(std::move(path)); }
    static TrackSource decoded(std::shared_ptr<const StereoBuffer> buffer) { return TrackSource(std::move(buffer)); }

    std::optional<NoiseKind> noiseKind() const
    {
        if (const auto* kind = std::get_if<NoiseKind>(&m_value))
            return *kind;
        return std::nullopt;
    }
    // The file's path, or null for a noise source.
    const std::filesystem::path* filePath() const { return std::get_if<std::filesystem::path>(&m_value); }
    // The decoded audio, or null for the other sources.
    std::shared_ptr<const StereoBuffer> buffer() const
    {
        const auto* buffer = std::get_if<std::shared_ptr<const StereoBuffer>>(&m_value);
        return buffer ? *buffer : nullptr;
    }

    bool operator==(const TrackSource&) const = default;

private:
    using Value = std::variant<NoiseKind, std::filesystem::path, std::shared_ptr<const StereoBuffer>>;

    explicit TrackSource(Value value)
        : m_value(std::move(value))
    {
    }

    Value m_value;
};

} // namespace veltrane
