#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace veltrane {

// The user-defaults database: a flat map from key to a JSON value that keeps its type (number,
// bool, string, array, object). Readers ask for the type they expect and get nothing when the
// stored value has another type, so a wrong type falls back to the caller's default.
//
// Main thread only.
class UserDefaults {
public:
    virtual ~UserDefaults() = default;

    virtual std::optional<nlohmann::json> value(const std::string& key) const = 0;
    // Writes through at once.
    virtual void setValue(const std::string& key, const nlohmann::json& value) = 0;
    virtual void removeValue(const std::string& key) = 0;

    std::optional<std::string> string(const std::string& key) const
    {
        auto stored = value(key);
        if (!stored || !stored->is_string())
            return std::nullopt;
        return stored->get<std::string>();
    }

    std::optional<bool> boolean(const std::string& key) const
    {
        auto stored = value(key);
        if (!stored || !stored->is_boolean())
            return std::nullopt;
        return stored->get<bool>();
    }

    // Any stored number converts to a double; booleans and strings do not.
    std::optional<double> number(const std::string& key) const
    {
        auto stored = value(key);
        if (!stored || !stored->is_number())
            return std::nullopt;
        return stored->get<double>();
    }
};

} // namespace veltrane
