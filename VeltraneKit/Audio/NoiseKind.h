#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace veltrane {

// The seven synthesised ambient sounds. The raw value names the kind everywhere, in the sound
// catalogue's "subtype" field too.
enum class NoiseKind {
    white,
    pink,
    brown,
    rain,
    ocean,
    wind,
    stream,
};

// Every kind in declaration order.
inline constexpr std::array<NoiseKind, 7> allNoiseKinds {
    NoiseKind::white,
    NoiseKind::pink,
    NoiseKind::brown,
    NoiseKind::rain,
    NoiseKind::ocean,
    NoiseKind::wind,
    NoiseKind::stream,
};

std::string_view rawValue(NoiseKind kind);
// The kind whose raw value is exactly the text (case-sensitive), or nothing.
std::optional<NoiseKind> noiseKindFromRawValue(std::string_view rawValue);

} // namespace veltrane
