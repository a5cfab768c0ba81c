#pragma once

#include "VeltraneKit/Audio/NoiseKind.h"

#include <filesystem>
#include <optional>
#include <variant>

namespace veltrane {

// What a mixer track plays: a live noise voice of one kind, or an audio file decoded into memory
// (a path on disk or in the application's Qt resources).
class TrackSource {
public:
    static TrackSource noise(NoiseKind kind) { return TrackSource(kind); }
    static TrackSource file(std::filesystem::path path) { return TrackSource(std::move(path)); }

    std::optional<NoiseKind> noiseKind() const
    {
        if (const auto* kind = std::get_if<NoiseKind>(&m_value))
            return *kind;
        return std::nullopt;
    }
    // The file's path, or null for a noise source.
    const std::filesystem::path* filePath() const { return std::get_if<std::filesystem::path>(&m_value); }

    bool operator==(const TrackSource&) const = default;

private:
    explicit TrackSource(std::variant<NoiseKind, std::filesystem::path> value)
        : m_value(std::move(value))
    {
    }

    std::variant<NoiseKind, std::filesystem::path> m_value;
};

} // namespace veltrane
