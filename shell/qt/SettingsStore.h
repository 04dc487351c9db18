#pragma once

#include <functional>
#include <optional>
#include <string>

#include "shell/qt/SettingsFile.h"

class QSettings;

namespace quibo {

// A settings file in the INI dialect of Qt's settings store, which parses
// and writes it, but only ever on a private copy of the checked file's
// text: Qt's store would open a FIFO or a device, replace a link, take any
// size and take the lock that Quibo holds while it merges.
class SettingsStore {
public:
    explicit SettingsStore(std::string path) : m_file(std::move(path)) {}

    const std::string& Path() const { return m_file.Path(); }

    // Lets read look at the settings, when there are any; the reason when
    // they cannot be read.
    std::optional<std::string> Read(const std::function<void(QSettings&)>& read) const;

    // With other writers kept out: reads the settings again, lets edit
    // change them (returning false when it changed nothing), and replaces
    // the file with what Qt's store makes of them. The reason when that
    // failed; the file is then as it was.
    std::optional<std::string> Edit(const std::function<bool(QSettings&)>& edit) const;

private:
    SettingsFile m_file;
};

}  // namespace quibo
