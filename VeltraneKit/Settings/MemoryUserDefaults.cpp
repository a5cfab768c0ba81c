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

} // namespace veltrane
