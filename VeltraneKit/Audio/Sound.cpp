#include "VeltraneKit/Audio/Sound.h"

#include <nlohmann/json.hpp>

namespace veltrane {

namespace {

std::optional<std::string> optionalString(const nlohmann::json& json, const char* key)
{
    const auto found = json.find(key);
    if (found == json.end() || found->is_null())
        return std::nullopt;
    return found->get<std::string>();
}

} // namespace

std::optional<NoiseKind> Sound::noiseKind() const
{
    if (type != SoundType::generated || !subtype)
        return std::nullopt;
    return noiseKindFromRawValue(*subtype);
}

void from_json(const nlohmann::json& json, Sound& sound)
{
    sound.id = json.at("id").get<std::string>();
    sound.name = json.at("name").get<std::string>();
    const auto type = soundTypeFromRawValue(json.at("type").get<std::string>());
    if (!type)
        throw nlohmann::json::other_error::create(501, "unknown sound type", &json);
    sound.type = *type;
    sound.subtype = optionalString(json, "subtype");
    sound.file = optionalString(json, "file");
    sound.icon = json.at("icon").get<std::string>();
}

void to_json(nlohmann::json& json, const Sound& sound)
{
    json = nlohmann::json::object();
    json["id"] = sound.id;
    json["name"] = sound.name;
    json["type"] = std::string(rawValue(sound.type));
    if (sound.subtype)
        json["subtype"] = *sound.subtype;
    if (sound.file)
        json["file"] = *sound.file;
    json["icon"] = sound.icon;
}

} // namespace veltrane
