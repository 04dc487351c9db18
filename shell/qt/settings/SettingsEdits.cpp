#include "shell/qt/settings/SettingsEdits.h"

#include <algorithm>
#include <map>
#include <set>

#include "shell/qt/settings/SettingsStore.h"

namespace quibo {

SettingsEdits::SettingsEdits()
{
    m_timer.setSingleShot(true);
    m_timer.callOnTimeout([this] { Retry(); });
}

void SettingsEdits::Submit(const SettingsPlace& place, const std::string& key, Edit edit, Report report)
{
    const auto samePath = [&](const Pending& waiting) { return waiting.place.path == place.path; };
    if (std::none_of(m_waiting.begin(), m_waiting.end(), samePath)) {
        const SettingsStore::Result result = SettingsStore(place).Edit(edit);
        if (result.outcome == SettingsStore::Outcome::Failed)
            report(result.problem);
        if (result.outcome != SettingsStore::Outcome::Busy)
            return;
    }
    const auto sameKey = [&](const Pending& waiting) { return samePath(waiting) && !key.empty() && waiting.key == key; };
    if (const auto waiting = std::find_if(m_waiting.begin(), m_waiting.end(), sameKey); waiting != m_waiting.end())
        waiting->edit = std::move(edit);
    else
        m_waiting.push_back({place, key, std::move(edit), std::move(report)});
    m_retryMs = kFirstRetryMs;
    m_timer.start(m_retryMs);
}

void SettingsEdits::Retry()
{
    std::set<std::string> busy;
    std::erase_if(m_waiting, [&](const Pending& waiting) {
        if (busy.contains(waiting.place.path))
            return false;
        const SettingsStore::Result result = SettingsStore(waiting.place).Edit(waiting.edit);
        if (result.outcome == SettingsStore::Outcome::Busy) {
            busy.insert(waiting.place.path);
            return false;
        }
        if (result.outcome == SettingsStore::Outcome::Failed)
            waiting.report(result.problem);
        return true;
    });
    if (m_waiting.empty())
        return;
    m_retryMs = std::min(m_retryMs * 2, kLongestRetryMs);
    m_timer.start(m_retryMs);
}

void SettingsEdits::Finish(const Pause& pause)
{
    m_timer.stop();
    // A lock given up on is not waited for again.
    std::map<std::string, std::string> givenUp;
    for (const Pending& waiting : m_waiting) {
        if (const auto problem = givenUp.find(waiting.place.path); problem != givenUp.end()) {
            waiting.report(problem->second);
            continue;
        }
        const SettingsStore::Result result = SettingsStore(waiting.place).Edit(waiting.edit, &pause);
        if (result.outcome == SettingsStore::Outcome::Busy)
            givenUp[waiting.place.path] = result.problem;
        if (result.outcome != SettingsStore::Outcome::Done)
            waiting.report(result.problem);
    }
    m_waiting.clear();
}

}  // namespace quibo
