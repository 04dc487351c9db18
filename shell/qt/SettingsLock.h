#pragma once

#include <QLockFile>

#include <optional>
#include <string>

namespace quibo {

// The lock that Qt's settings store takes on a settings file, so that other
// instances wait while one reads, merges and writes. A crowd of instances
// closing together (a logout) retries at random short intervals rather
// than in step, for longer than such a crowd needs.
class SettingsLock {
public:
    explicit SettingsLock(const std::string& settingsPath);

    // Nothing once the lock is held; else why not, in one line.
    std::optional<std::string> Acquire();

private:
    std::string m_path;
    QLockFile m_lock;
};

}  // namespace quibo
