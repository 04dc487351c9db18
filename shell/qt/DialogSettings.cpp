#include "shell/qt/DialogSettings.h"

#include <QSettings>

#include <cstdio>
#include <optional>
#include <string>

#include "shell/qt/PrivateFolder.h"
#include "shell/qt/SettingsFile.h"
#include "shell/qt/SettingsPlace.h"
#include "shell/qt/SettingsStore.h"

namespace quibo {

namespace {

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

}  // namespace

void WithPrivateDialogSettings(const std::function<void()>& dialog)
{
    const SettingsPlace place = UserSettingsPlace("QtProject.conf");
    const PrivateFolder folder;
    std::optional<std::string> before;
    if (!place.path.empty()) {
        const SettingsFile::Content content = SettingsFile(place.path).Read();
        if (content.ours)
            before = content.text;
        else
            std::fprintf(stderr, "quibo: the file dialog's settings are not read: %s\n", content.problem.c_str());
    }
    // The name Qt's store gives the user's "QtProject" settings.
    const bool copied = before && !folder.Write("QtProject.conf", *before) && !folder.Write("original.conf", *before);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, copied ? folder.Path() : kNowhere);
    dialog();
    // Between dialogs there are no such settings.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, kNowhere);
    if (!copied || folder.Read("QtProject.conf") == before)
        return;
    const std::optional<std::string> problem = SettingsStore(place.path).Edit([&](QSettings& target) {
        QSettings was(folder.FilePath("original.conf"), QSettings::IniFormat);
        QSettings now(folder.FilePath("QtProject.conf"), QSettings::IniFormat);
        return MergeChanges(was, now, target);
    });
    if (problem)
        std::fprintf(stderr, "quibo: the file dialog's settings are not kept: %s\n", problem->c_str());
}

}  // namespace quibo
