#pragma once

#include <QTimer>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AppPlatform.h"
#include "hosts/qt/settings/SettingsStore.h"

namespace quibo {

// Quibo's keys in its settings file, as Qt's settings store would keep
// them. The recent-file list is group "Recent File List", keys File1 to
// File4, most recent first. Names are the system's bytes: one whose bytes
// Qt gives back from its text is stored as text, any other as bytes
// ("@ByteArray(...)"), so that every name comes back as it was.

// The names of File1 to File4, in that order, skipping empty values and
// values of any other kind (a list, a number).
std::vector<std::string> RecentFilesIn(std::string_view ini);
// ini with files as File1 onwards and the keys after them removed; nothing
// when it cannot be so edited.
std::optional<std::string> WithRecentFiles(std::string_view ini, const std::vector<std::string>& files);

// A flag of group "View" ("Bits", "Inspector": whether that panel is shown): true
// only when it is "true".
bool ViewFlagIn(std::string_view ini, std::string_view key);
std::optional<std::string> WithViewFlag(std::string_view ini, std::string_view key, bool on);

// Quibo's settings in ~/.config/Local AppWizard-Generated Applications/
// Quibo.ini: read at start-up, and edited so that the window never waits
// for the file's lock: each edit is tried at once, and one whose lock
// another process holds is tried again from the event loop, less often the
// longer it waits, in the order they came, until the session ends
// (Finish). Each thing that goes wrong is said once on standard error, in
// one line, and costs only what it was about.
class AppSettings {
public:
    AppSettings();
    // The settings file at place (for tests).
    explicit AppSettings(SettingsPlace place);

    StoredSettings Read();
    void UpdateRecentFiles(const RecentFileUpdate& update);
    void StoreBitsShown(bool shown);
    void StoreInspectorShown(bool shown);
    // At exit: the edits that still wait, each waiting for the lock as
    // SettingsStore does, with pause between the tries.
    void Finish(const Pause& pause);

private:
    struct Pending {
        const char* what;  // what is said when it fails; an edit of the same replaces it
        SettingsStore::Edit edit;
    };
    static constexpr int kFirstRetryMs = 50;
    static constexpr int kLongestRetryMs = 2000;

    void Submit(const char* what, SettingsStore::Edit edit);
    void Retry();
    void Say(const char* what, const std::string& problem);

    // Where the file is, or why this session keeps no settings.
    SettingsPlace m_place;
    std::vector<Pending> m_waiting;
    QTimer m_timer;
    int m_retryMs = kFirstRetryMs;
    std::set<std::string> m_said;
};

}  // namespace quibo
