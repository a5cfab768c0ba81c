#pragma once

#include "VeltraneKit/Audio/ResourceBundle.h"
#include "VeltraneKit/Audio/Sound.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace veltrane {

// The sound catalogue shipped with the application: a JSON array of Sound records in a resource.
class SoundLibrary {
public:
    SoundLibrary() = default;
    explicit SoundLibrary(std::vector<Sound> sounds)
        : m_sounds(std::move(sounds))
    {
    }

    // The catalogue in the resource resourceName.json. A missing resource, unreadable data or any
    // decoding error gives an empty catalogue, without a word.
    static SoundLibrary load(std::string_view resourceName, const ResourceBundle& bundle);
    // The catalogue in a JSON text; empty on any error.
    static SoundLibrary decode(std::string_view json);

    // The audio resource a file sound plays; nothing for generated sounds, file sounds without a
    // file name, and missing resources.
    static std::optional<std::filesystem::path> url(const Sound& sound, const ResourceBundle& bundle);

    const std::vector<Sound>& sounds() const { return m_sounds; }
    // The catalogue in order, keeping every generated sound and the file sounds whose resource
    // exists.
    std::vector<Sound> availableSounds(const ResourceBundle& bundle) const;

private:
    std::vector<Sound> m_sounds;
};

} // namespace veltrane
