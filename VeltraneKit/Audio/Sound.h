#pragma once

#include "VeltraneKit/Audio/NoiseKind.h"
#include "VeltraneKit/Audio/SoundType.h"

#include <nlohmann/json_fwd.hpp>

#include <optional>
#include <string>

namespace veltrane {

// One entry of the sound catalogue, or one imported file. Its id is also the mixer's track key
// and the key under which its level and activity are remembered.
struct Sound {
    std::string id;
    std::string name;
    SoundType type = SoundType::generated;
    // For a generated sound, the raw value of its NoiseKind.
    std::optional<std::string> subtype;
    // For a file sound, the resource file name with its extension.
    std::optional<std::string> file;
    // The name of the symbol shown on its chip.
    std::string icon;

    // The kind a generated sound synthesises; nothing for a file sound or an unknown subtype.
    std::optional<NoiseKind> noiseKind() const;

    bool operator==(const Sound&) const = default;
};

// JSON coding with the keys "id", "name", "type", "subtype", "file" and "icon". Decoding throws
// nlohmann::json::exception when a required key is missing or a key holds the wrong type; an
// optional key may be absent or null.
void from_json(const nlohmann::json& json, Sound& sound);
void to_json(nlohmann::json& json, const Sound& sound);

} // namespace veltrane
