#include "VeltraneKit/Settings/MemoryUserDefaults.h"

namespace veltrane {

std::optional<nlohmann::json> MemoryUserDefaults::value(const std::string& key) const
{
    auto found = m_values.find(key);
    if (found == m_values.end())
        return std::nullopt;
    return found->second;
}

void MemoryUserDefaults::setValue(const std::string& key, const nlohmann::json& value)
{
    ++m_writeCount;
    m_values.insert_or_assign(key, value);
}

void MemoryUserDefaults::removeValue(const std::string& key)
{
    ++m_writeCount;
    m_values.erase(key);
}

std::vector<std::string> MemoryUserDefaults::keys() const
{
    std::vector<std::string> keys;
    keys.reserve(m_values.size());
    for (const auto& [key, value] : m_values)
        keys.push_back(key);
    return keys;
}

void MemoryUserDefaults::changeFromOutside(const std::map<std::string, nlohmann::json>& changes)
{
    std::vector<std::string> changed;
    for (const auto& [key, value] : changes) {
        auto found = m_values.find(key);
        if (value.is_null()) {
            if (found == m_values.end())
                continue;
            m_values.erase(found);
        } else {
            if (found != m_values.end() && found->second == value)
                continue;
            m_values.insert_or_assign(key, value);
        }
        changed.push_back(key);
    }
    notifyChangeObservers(changed);
}

} // namespace veltrane
