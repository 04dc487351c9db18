#pragma once

#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "shell/qt/settings/SettingsLock.h"
#include "shell/qt/settings/SettingsPlace.h"

class QSettings;

namespace quibo {

// Edits of settings files that never keep the window waiting for a lock:
// each is tried at once, and one whose lock another process holds is tried
// again from the event loop, less often the longer it waits, until it is
// done or the session ends (Finish). Edits of one file are done in the
// order they came.
class SettingsEdits {
public:
    using Edit = std::function<bool(QSettings&)>;
    using Report = std::function<void(const std::string& problem)>;

    SettingsEdits();

    // Edits the settings of place, now or later; report hears why, when it
    // fails. An edit with the key of one that waits takes its place (the
    // recent-file list is merged anew each time); an empty key never does.
    void Submit(const SettingsPlace& place, const std::string& key, Edit edit, Report report);
    // At exit: the edits that still wait, each waiting for its lock as
    // SettingsLock::Wait does, with pause between the tries.
    void Finish(const Pause& pause);

private:
    struct Pending {
        SettingsPlace place;
        std::string key;
        Edit edit;
        Report report;
    };
    static constexpr int kFirstRetryMs = 50;
    static constexpr int kLongestRetryMs = 2000;

    void Retry();

    std::vector<Pending> m_waiting;
    QTimer m_timer;
    int m_retryMs = kFirstRetryMs;
};

}  // namespace quibo
