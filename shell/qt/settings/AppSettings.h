#pragma once

#include <string>
#include <vector>

#include "shell/platform/AppPlatform.h"
#include "shell/qt/settings/SettingsEdits.h"
#include "shell/qt/settings/SettingsPlace.h"

class QSettings;

namespace quibo {

// Quibo's settings in Qt's settings store. The recent-file list is group
// "Recent File List",
// keys File1 to File4, most recent first. Names are the system's bytes: one
// whose bytes its text gives back is stored as text, any other as bytes
// ("@ByteArray(...)" in the file), so that every name comes back as it was.

// The names of File1 to File4, in that order, skipping empty values and
// values of any other kind (a list, a number).
std::vector<std::string> RecentFilesIn(QSettings& settings);

// Stores files as File1 onwards and removes the keys after them.
void StoreRecentFiles(QSettings& settings, const std::vector<std::string>& files);

// Whether the Bits panel is shown: key "Bits" of group "View", true or
// false; anything else is false.
bool BitsShownIn(QSettings& settings);
void StoreBitsShown(QSettings& settings, bool shown);

// The settings in ~/.config/Local AppWizard-Generated Applications/Quibo.ini,
// what the application reads at start-up and updates through edits, which
// wait for the file's lock without the window waiting. What goes wrong is
// said on standard error, in one line, and costs only what it was about.
class AppSettings {
public:
    explicit AppSettings(SettingsEdits& edits);

    StoredSettings Read() const;
    void UpdateRecentFiles(const RecentFileUpdate& update) const;
    void StoreBitsShown(bool shown) const;
    // Removes what killed sessions left in the file's folder.
    void CleanUp() const;

private:
    SettingsEdits& m_edits;
    // Where the file is, or why this session keeps no settings.
    SettingsPlace m_place;
};

}  // namespace quibo
