#pragma once

// Only the declarations: the full JSON header is heavy, and most users of the defaults never
// touch a JSON value directly.
#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace veltrane {

// The user-defaults database: a flat map from key to a JSON value that keeps its type (number,
// bool, string, array, object). Readers ask for the type they expect and get nothing when the
// stored value has another type, so a wrong type falls back to the caller's default.
//
// Conversions between types are deliberately narrow, because a stored value of the wrong kind
// must read as the caller's default rather than as some coerced value:
// - number() accepts any finite JSON number, integer or not. A boolean is not a number (true does
//   not read as 1.0), and NaN or an infinity (which JSON cannot hold anyway) reads as nothing.
// - integer() accepts a JSON integer, or a number with no fractional part within 64 bits (4.0
//   reads as 4, 4.5 as nothing). A boolean is not an integer.
// - boolean() accepts only a JSON boolean: the numbers 0 and 1 are not booleans.
// - string() accepts only a JSON string: a number is not turned into its text.
// - stringList() accepts only an array whose every element is a string.
// - numberDictionary() accepts only an object whose every value is a finite number (as number()).
//
// Another writer can change the database under us (the user editing the settings file by hand
// while the program runs). Observers hear which keys such a change touched, after the new values
// are in place, so that the objects built on the database can read those keys again; they never
// hear of the program's own writes.
//
// Main thread only.
class UserDefaults {
public:
    using ChangeObserver = std::function<void(const std::vector<std::string>& changedKeys)>;

    virtual ~UserDefaults() = default;

    virtual std::optional<nlohmann::json> value(const std::string& key) const = 0;
    // Writes through at once.
    virtual void setValue(const std::string& key, const nlohmann::json& value) = 0;
    // Writes through at once; harmless when the key is absent.
    virtual void removeValue(const std::string& key) = 0;
    // Every stored key, in ascending order.
    virtual std::vector<std::string> keys() const = 0;

    std::optional<std::string> string(const std::string& key) const;
    std::optional<bool> boolean(const std::string& key) const;
    std::optional<double> number(const std::string& key) const;
    std::optional<std::int64_t> integer(const std::string& key) const;
    std::optional<std::vector<std::string>> stringList(const std::string& key) const;
    std::optional<std::map<std::string, double>> numberDictionary(const std::string& key) const;

    // Typed writers, so that every caller stores a kind the matching reader accepts.
    void setString(const std::string& key, const std::string& value);
    void setBoolean(const std::string& key, bool value);
    void setNumber(const std::string& key, double value);
    void setInteger(const std::string& key, std::int64_t value);
    void setStringList(const std::string& key, const std::vector<std::string>& value);
    void setNumberDictionary(const std::string& key, const std::map<std::string, double>& value);

    // Returns the id to remove the observer with. An observer may add or remove observers, and
    // write, while it is being told.
    int addChangeObserver(ChangeObserver observer);
    void removeChangeObserver(int id);

protected:
    // Tells every observer that `changedKeys` were changed by another writer.
    void notifyChangeObservers(const std::vector<std::string>& changedKeys);

private:
    std::map<int, ChangeObserver> m_observers;
    int m_nextObserverId = 1;
};

using UserDefaultsPtr = std::shared_ptr<UserDefaults>;

} // namespace veltrane
