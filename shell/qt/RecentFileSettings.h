#pragma once

#include <string>
#include <vector>

#include "shell/platform/AppPlatform.h"
#include "shell/qt/SettingsEdits.h"
#include "shell/qt/SettingsPlace.h"

class QSettings;

namespace quibo {

// The recent-file list in Qt's settings store: group "Recent File List",
// keys File1 to File4, most recent first. Names are the system's bytes: one
// whose bytes its text gives back is stored as text, any other as bytes
// ("@ByteArray(...)" in the file), so that every name comes back as it was.

// The names of File1 to File4, in that order, skipping empty values and
// values of any other kind (a list, a number).
std::vector<std::string> RecentFilesIn(QSettings& settings);

// Stores files as File1 onwards and removes the keys after them.
void StoreRecentFiles(QSettings& settings, const std::vector<std::string>& files);

// The list in ~/.config/Local AppWizard-Generated Applications/Quibo.ini,
// what the application reads at start-up and updates through edits, which
// wait for the file's lock without the window waiting. What goes wrong is
// said on standard error, in one line, and costs only the list.
class RecentFileStore {
public:
    explicit RecentFileStore(SettingsEdits& edits);

    std::vector<std::string> Read() const;
    void Update(const RecentFileUpdate& update) const;
    // Removes what killed sessions left in the file's folder.
    void CleanUp() const;

private:
    SettingsEdits& m_edits;
    // Where the file is, or why this session keeps no list.
    SettingsPlace m_place;
};

}  // namespace quibo
