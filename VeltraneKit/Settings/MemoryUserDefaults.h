#pragma once

#include "VeltraneKit/Settings/UserDefaults.h"

#include <map>
#include <nlohmann/json.hpp>

namespace veltrane {

// A user-defaults database that lives only in memory, for tests and for a run whose settings
// should not persist. It counts its writes so tests can see that a setter wrote through.
class MemoryUserDefaults final : public UserDefaults {
public:
    std::optional<nlohmann::json> value(const std::string& key) const override;
    void setValue(const std::string& key, const nlohmann::json& value) override;
    void removeValue(const std::string& key) override;
    std::vector<std::string> keys() const override;

    // Stores the values as another writer would (a hand edit of a settings file): not counted as
    // writes, and the observers hear of the keys whose value changed. A null value removes its key.
    void changeFromOutside(const std::map<std::string, nlohmann::json>& changes);

    // How many setValue and removeValue calls reached the store.
    int writeCount() const { return m_writeCount; }

private:
    std::map<std::string, nlohmann::json> m_values;
    int m_writeCount = 0;
};

} // namespace veltrane
