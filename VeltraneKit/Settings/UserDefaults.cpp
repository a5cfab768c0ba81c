#include "VeltraneKit/Settings/UserDefaults.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

namespace veltrane {

std::optional<std::string> UserDefaults::string(const std::string& key) const
{
    auto stored = value(key);
    if (!stored || !stored->is_string())
        return std::nullopt;
    return stored->get<std::string>();
}

std::optional<bool> UserDefaults::boolean(const std::string& key) const
{
    auto stored = value(key);
    if (!stored || !stored->is_boolean())
        return std::nullopt;
    return stored->get<bool>();
}

std::optional<double> UserDefaults::number(const std::string& key) const
{
    auto stored = value(key);
    if (!stored || !stored->is_number())
        return std::nullopt;
    const auto number = stored->get<double>();
    if (!std::isfinite(number))
        return std::nullopt;
    return number;
}

std::optional<std::int64_t> UserDefaults::integer(const std::string& key) const
{
    auto stored = value(key);
    if (!stored)
        return std::nullopt;
    if (stored->is_number_integer()) {
        if (stored->is_number_unsigned()
            && stored->get<std::uint64_t>()
                > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return std::nullopt;
        return stored->get<std::int64_t>();
    }
    if (!stored->is_number_float())
        return std::nullopt;
    const auto number = stored->get<double>();
    // 2^63 itself is out of range; every double below it with no fraction converts exactly.
    constexpr double kLimit = 9223372036854775808.0;
    if (!std::isfinite(number) || std::trunc(number) != number || number < -kLimit
        || number >= kLimit)
        return std::nullopt;
    return static_cast<std::int64_t>(number);
}

std::optional<std::vector<std::string>> UserDefaults::stringList(const std::string& key) const
{
    auto stored = value(key);
    if (!stored || !stored->is_array())
        return std::nullopt;
    std::vector<std::string> list;
    list.reserve(stored->size());
    for (const auto& element : *stored) {
        if (!element.is_string())
            return std::nullopt;
        list.push_back(element.get<std::string>());
    }
    return list;
}

std::optional<std::map<std::string, double>> UserDefaults::numberDictionary(
    const std::string& key) const
{
    auto stored = value(key);
    if (!stored || !stored->is_object())
        return std::nullopt;
    std::map<std::string, double> dictionary;
    for (const auto& [name, element] : stored->items()) {
        if (!element.is_number() || !std::isfinite(element.get<double>()))
            return std::nullopt;
        dictionary.emplace(name, element.get<double>());
    }
    return dictionary;
}

void UserDefaults::setString(const std::string& key, const std::string& value)
{
    setValue(key, value);
}

void UserDefaults::setBoolean(const std::string& key, bool value)
{
    setValue(key, value);
}

void UserDefaults::setNumber(const std::string& key, double value)
{
    setValue(key, value);
}

void UserDefaults::setInteger(const std::string& key, std::int64_t value)
{
    setValue(key, value);
}

void UserDefaults::setStringList(const std::string& key, const std::vector<std::string>& value)
{
    setValue(key, value);
}

void UserDefaults::setNumberDictionary(const std::string& key, const std::map<std::string, double>& value)
{
    setValue(key, value);
}

int UserDefaults::addChangeObserver(ChangeObserver observer)
{
    const int id = m_nextObserverId++;
    m_observers.emplace(id, std::move(observer));
    return id;
}

void UserDefaults::removeChangeObserver(int id)
{
    m_observers.erase(id);
}

void UserDefaults::notifyChangeObservers(const std::vector<std::string>& changedKeys)
{
    if (changedKeys.empty())
        return;
    // Observers may come and go while being told: walk a snapshot of the ids and skip the ones
    // removed on the way.
    std::vector<int> ids;
    ids.reserve(m_observers.size());
    for (const auto& [id, observer] : m_observers)
        ids.push_back(id);
    for (const int id : ids) {
        auto found = m_observers.find(id);
        if (found == m_observers.end())
            continue;
        // A copy, so that an observer removing itself does not destroy the running closure.
        auto observer = found->second;
        observer(changedKeys);
    }
}

} // namespace veltrane
