#include "VeltraneKit/Audio/SoundLibrary.h"

#include <QFile>

#include <nlohmann/json.hpp>

namespace veltrane {

SoundLibrary SoundLibrary::load(std::string_view resourceName, const ResourceBundle& bundle)
{
    const auto path = bundle.url(resourceName, "json");
    if (!path)
        return {};
    QFile file(QFile::decodeName(path->c_str()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const auto bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {};
    return decode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

SoundLibrary SoundLibrary::decode(std::string_view text)
{
    const auto json = nlohmann::json::parse(text, nullptr, false);
    if (json.is_discarded() || !json.is_array())
        return {};
    try {
        return SoundLibrary(json.get<std::vector<Sound>>());
    } catch (const nlohmann::json::exception&) {
        return {};
    }
}

std::optional<std::filesystem::path> SoundLibrary::url(const Sound& sound, const ResourceBundle& bundle)
{
    if (sound.type != SoundType::file || !sound.file)
        return std::nullopt;
    const std::string_view file = *sound.file;
    const auto dot = file.rfind('.');
    if (dot == std::string_view::npos)
        return bundle.url(file, {});
    return bundle.url(file.substr(0, dot), file.substr(dot + 1));
}

std::vector<Sound> SoundLibrary::availableSounds(const ResourceBundle& bundle) const
{
    std::vector<Sound> available;
    for (const auto& sound : m_sounds) {
        if (sound.type == SoundType::generated || url(sound, bundle))
            available.push_back(sound);
    }
    return available;
}

} // namespace veltrane
