#include "VeltraneKit/Audio/NoiseKind.h"

namespace veltrane {

std::string_view rawValue(NoiseKind kind)
{
    switch (kind) {
    case NoiseKind::white:
        return "white";
    case NoiseKind::pink:
        return "pink";
    case NoiseKind::brown:
        return "brown";
    case NoiseKind::rain:
        return "rain";
    case NoiseKind::ocean:
        return "ocean";
    case NoiseKind::wind:
        return "wind";
    case NoiseKind::stream:
        return "stream";
    }
    return {};
}

std::optional<NoiseKind> noiseKindFromRawValue(std::string_view text)
{
    for (auto kind : allNoiseKinds) {
        if (rawValue(kind) == text)
            return kind;
    }
    return std::nullopt;
}

} // namespace veltrane
