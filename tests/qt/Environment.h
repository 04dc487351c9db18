// An environment variable set or unset for one scope.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace quibo {

class Environment {
public:
    Environment(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~Environment() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

}  // namespace quibo
