#pragma once

#include <functional>
#include <optional>
#include <string>

#include "shell/qt/settings/SettingsLock.h"
#include "shell/qt/settings/SettingsPlace.h"

class QSettings;

namespace quibo {

// A settings file in the INI dialect of Qt's settings store, which parses
// and writes it, but only ever on a private copy of the checked file's
// text: Qt's store would open a FIFO or a device, replace a link, take any
// size and take the lock that Quibo holds while it merges.
class SettingsStore {
public:
    explicit SettingsStore(SettingsPlace place) : m_place(std::move(place)) {}

    const std::string& Path() const { return m_place.path; }

    // Lets read look at the settings, when there are any; the reason when
    // they cannot be read. Nothing is written anywhere.
    std::optional<std::string> Read(const std::function<void(QSettings&)>& read) const;

    // With other writers kept out: reads the settings again, lets edit
    // change them (returning false when it changed nothing), and replaces
    // the file with what Qt's store makes of them. Without pause, the lock
    // is tried once; with it, waited for as SettingsLock::Wait does.
    enum class Outcome { Done, Busy, Failed };
    struct Result {
        Outcome outcome = Outcome::Done;
        std::string problem;  // why not Done; the file is then as it was
    };
    Result Edit(const std::function<bool(QSettings&)>& edit, const Pause* pause = nullptr) const;

    // Removes the private folders of killed sessions from the file's folder.
    void CleanUp() const;

private:
    SettingsPlace m_place;
};

}  // namespace quibo
