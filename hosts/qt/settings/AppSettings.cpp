#include "hosts/qt/settings/AppSettings.h"

#include <algorithm>
#include <cstdio>

#include "numtext/IniText.h"

namespace quibo {

namespace {

constexpr char kRecentGroup[] = "Recent File List";
constexpr char kViewGroup[] = "View";

std::string Key(std::size_t number)
{
    return "File" + std::to_string(number);
}

}  // namespace

std::vector<std::string> RecentFilesIn(std::string_view ini)
{
    std::vector<std::string> files;
    for (std::size_t number = 1; number <= kRecentFiles; ++number) {
        const std::optional<IniValue> value = ReadIniValue(ini, kRecentGroup, Key(number));
        // A name holds no NUL, which only a hand-made "\0" would give.
        if (value && value->kind != IniValue::Kind::Other && !value->bytes.empty() &&
            value->bytes.find('\0') == std::string::npos)
            files.push_back(value->bytes);
    }
    return files;
}

std::optional<std::string> WithRecentFiles(std::string_view ini, const std::vector<std::string>& files)
{
    std::vector<IniKeyEdit> edits;
    for (std::size_t number = 1; number <= kRecentFiles; ++number) {
        std::optional<IniValue> value;
        if (number <= files.size())
            value = IniValueOf(files[number - 1]);
        edits.push_back({Key(number), value});
    }
    return EditIni(ini, kRecentGroup, edits);
}

bool ViewFlagIn(std::string_view ini, std::string_view key)
{
    return ReadIniValue(ini, kViewGroup, key) == IniValue{IniValue::Kind::Text, "true"};
}

std::optional<std::string> WithViewFlag(std::string_view ini, std::string_view key, bool on)
{
    return EditIni(ini, kViewGroup, {{std::string(key), IniValue{IniValue::Kind::Text, on ? "true" : "false"}}});
}

AppSettings::AppSettings() : AppSettings(UserSettingsPlace("Local AppWizard-Generated Applications/Quibo.ini")) {}

AppSettings::AppSettings(SettingsPlace place) : m_place(std::move(place))
{
    m_timer.setSingleShot(true);
    m_timer.callOnTimeout([this] { Retry(); });
}

void AppSettings::Say(const char* what, const std::string& problem)
{
    if (m_said.insert(problem).second)
        std::fprintf(stderr, "quibo: %s: %s\n", what, problem.c_str());
}

StoredSettings AppSettings::Read()
{
    std::string text;
    const std::optional<std::string> problem = m_place.problem.empty() ? SettingsStore(m_place).Read(text)
                                                                        : m_place.problem;
    if (problem)
        Say("the settings are not read", *problem);
    return {RecentFilesIn(text), ViewFlagIn(text, "Bits"), ViewFlagIn(text, "Inspector")};
}

void AppSettings::StoreBitsShown(bool shown)
{
    Submit("whether the bits are shown is not kept",
           [shown](const std::string& text) { return WithViewFlag(text, "Bits", shown); });
}

void AppSettings::StoreInspectorShown(bool shown)
{
    Submit("whether the Inspector is shown is not kept",
           [shown](const std::string& text) { return WithViewFlag(text, "Inspector", shown); });
}

void AppSettings::UpdateRecentFiles(const RecentFileUpdate& update)
{
    Submit("the recent-file list is not kept", [update](const std::string& text) {
        const std::optional<std::vector<std::string>> files = update(RecentFilesIn(text));
        return files ? WithRecentFiles(text, *files) : std::optional(text);
    });
}

void AppSettings::Submit(const char* what, SettingsStore::Edit edit)
{
    // Without a place, start-up said so already.
    if (!m_place.problem.empty())
        return;
    if (m_waiting.empty()) {
        const SettingsStore::Result result = SettingsStore(m_place).Change(edit);
        if (result.outcome == SettingsStore::Outcome::Failed)
            Say(what, result.problem);
        if (result.outcome != SettingsStore::Outcome::Busy)
            return;
    }
    // The list is merged anew each time: a later edit replaces one waiting.
    const auto same = std::find_if(m_waiting.begin(), m_waiting.end(), [&](const Pending& p) { return p.what == what; });
    if (same != m_waiting.end())
        same->edit = std::move(edit);
    else
        m_waiting.push_back({what, std::move(edit)});
    m_retryMs = kFirstRetryMs;
    m_timer.start(m_retryMs);
}

void AppSettings::Retry()
{
    while (!m_waiting.empty()) {
        const SettingsStore::Result result = SettingsStore(m_place).Change(m_waiting.front().edit);
        if (result.outcome == SettingsStore::Outcome::Busy) {
            m_retryMs = std::min(m_retryMs * 2, kLongestRetryMs);
            m_timer.start(m_retryMs);
            return;
        }
        if (result.outcome == SettingsStore::Outcome::Failed)
            Say(m_waiting.front().what, result.problem);
        m_waiting.erase(m_waiting.begin());
    }
}

void AppSettings::Finish(const Pause& pause)
{
    m_timer.stop();
    // A lock given up on is not waited for again.
    std::string givenUp;
    for (const Pending& waiting : m_waiting) {
        const SettingsStore::Result result =
            givenUp.empty() ? SettingsStore(m_place).Change(waiting.edit, &pause)
                            : SettingsStore::Result{SettingsStore::Outcome::Busy, givenUp};
        if (result.outcome == SettingsStore::Outcome::Busy)
            givenUp = result.problem;
        if (result.outcome != SettingsStore::Outcome::Done)
            Say(waiting.what, result.problem);
    }
    m_waiting.clear();
}

}  // namespace quibo
