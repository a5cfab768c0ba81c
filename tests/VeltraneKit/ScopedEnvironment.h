#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace veltrane::testing {

// Sets an environment variable (or unsets it, given nullptr) for the object's lifetime and
// restores the earlier value afterwards. A changed TZ takes effect at once.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        set(value);
    }
    ~ScopedEnvironment() { set(m_old ? m_old->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const char* value)
    {
        if (value)
            ::setenv(m_name.c_str(), value, 1);
        else
            ::unsetenv(m_name.c_str());
        tzset();
    }

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

} // namespace veltrane::testing
