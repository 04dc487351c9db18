#include "shell/qt/settings/DialogSettings.h"

#include <QSettings>

#include <cstdio>
#include <optional>
#include <string>

#include "shell/qt/settings/PrivateFolder.h"
#include "shell/qt/settings/SettingsEdits.h"
#include "shell/qt/settings/SettingsFile.h"
#include "shell/qt/settings/SettingsFolder.h"
#include "shell/qt/settings/SettingsPlace.h"
#include "shell/qt/settings/SettingsStore.h"
#include "shell/qt/settings/SettingsText.h"

namespace quibo {

namespace {

// The name Qt's store gives the user's "QtProject" settings.
constexpr char kFile[] = "QtProject.conf";

// Where the dialog finds no settings and can make none: nothing can be
// made below a device.
const QString kNowhere = QStringLiteral("/dev/null");

// Into target, what the dialog changed from was to now.
bool MergeChanges(QSettings& was, QSettings& now, QSettings& target)
{
    bool changed = false;
    for (const QString& key : now.allKeys()) {
        if (!was.contains(key) || was.value(key) != now.value(key)) {
            target.setValue(key, now.value(key));
            changed = true;
        }
    }
    for (const QString& key : was.allKeys()) {
        if (!now.contains(key)) {
            target.remove(key);
            changed = true;
        }
    }
    return changed;
}

void Say(const char* what, const std::string& problem)
{
    std::fprintf(stderr, "quibo: the file dialog's settings are not %s: %s\n", what, problem.c_str());
}

}  // namespace

void WithPrivateDialogSettings(SettingsEdits& edits, const std::function<void()>& dialog)
{
    const SettingsPlace place = UserSettingsPlace(kFile);
    std::optional<SettingsFolder> folder;
    std::optional<PrivateFolder> copy;
    std::optional<std::string> before;
    if (!place.path.empty()) {
        folder.emplace(place, SettingsFolder::Make::Yes);
        const SettingsFile::Content content =
            folder->IsOpen() ? SettingsFile(*folder).Read() : SettingsFile::Content{false, {}, folder->Problem()};
        if (content.ours) {
            copy.emplace(*folder);
            if (std::optional<std::string> problem = copy->Write(kFile, content.text))
                Say("read", "a private copy cannot be made: " + *problem);
            else
                before = content.text;
        } else {
            Say("read", content.problem);
        }
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, before ? copy->Path() : kNowhere);
    dialog();
    // Between dialogs there are no such settings.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, kNowhere);
    if (!before)
        return;
    const std::optional<std::string> after = copy->Read(kFile);
    if (!after || after == before)
        return;
    edits.Submit(
        place, {},
        [was = *before, now = *after](QSettings& target) {
            bool changed = false;
            std::optional<std::string> nowProblem;
            const std::optional<std::string> wasProblem = ReadSettingsText(was, [&](QSettings& wasSettings) {
                nowProblem = ReadSettingsText(now, [&](QSettings& nowSettings) {
                    changed = MergeChanges(wasSettings, nowSettings, target);
                });
            });
            if (const std::optional<std::string>& problem = wasProblem ? wasProblem : nowProblem)
                Say("kept", *problem);
            return changed;
        },
        [](const std::string& problem) { Say("kept", problem); });
}

void CleanUpDialogSettings()
{
    if (const SettingsPlace place = UserSettingsPlace(kFile); !place.path.empty())
        SettingsStore(place).CleanUp();
}

}  // namespace quibo
