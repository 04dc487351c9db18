#include "shell/qt/DialogSettings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>
#include <string>

#include "shell/qt/SettingsFile.h"
#include "shell/qt/SettingsStore.h"

namespace quibo {

namespace {

// Where the dialog finds no settings and can make none: nothing can be
// made below a device.
const QString kNowhere = QStringLiteral("/dev/null");

bool WriteFile(const QString& path, const std::string& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
}

std::optional<std::string> ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

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

DialogSettings::DialogSettings() : m_place(UserSettingsPlace("QtProject.conf"))
{
    // The dialog asks for the user's "QtProject" settings in Qt's native
    // format; between dialogs there are none.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, kNowhere);
}

void DialogSettings::Run(const std::function<void()>& dialog) const
{
    const QTemporaryDir folder;
    std::optional<std::string> before;
    if (!m_place.path.empty()) {
        const SettingsFile::Content content = SettingsFile(m_place.path).Read();
        if (content.ours)
            before = content.text;
        else
            std::fprintf(stderr, "quibo: the file dialog's settings are not read: %s\n", content.problem.c_str());
    }
    const QString copy = folder.filePath(QStringLiteral("QtProject.conf"));
    const QString original = folder.filePath(QStringLiteral("original.conf"));
    const bool copied = folder.isValid() && before && WriteFile(copy, *before) && WriteFile(original, *before);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, copied ? folder.path() : kNowhere);
    dialog();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, kNowhere);
    if (!copied || ReadFile(copy) == before)
        return;
    const std::optional<std::string> problem = SettingsStore(m_place.path).Edit([&](QSettings& target) {
        QSettings was(original, QSettings::IniFormat);
        QSettings now(copy, QSettings::IniFormat);
        return MergeChanges(was, now, target);
    });
    if (problem)
        std::fprintf(stderr, "quibo: the file dialog's settings are not kept: %s\n", problem->c_str());
}

}  // namespace quibo
