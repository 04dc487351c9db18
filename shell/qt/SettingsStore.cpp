#include "shell/qt/SettingsStore.h"

#include <QSettings>

#include "shell/qt/PrivateFolder.h"
#include "shell/qt/SettingsLock.h"

namespace quibo {

namespace {

constexpr char kCopy[] = "settings.ini";

std::string CopyProblem(const std::string& problem)
{
    return "a private copy cannot be made: " + problem;
}

}  // namespace

std::optional<std::string> SettingsStore::Read(const std::function<void(QSettings&)>& read) const
{
    const SettingsFile::Content content = m_file.Read();
    if (!content.ours)
        return content.problem;
    if (content.text.empty())
        return std::nullopt;  // no settings yet, as on a first start
    const PrivateFolder folder;
    if (std::optional<std::string> problem = folder.Write(kCopy, content.text))
        return CopyProblem(*problem);
    QSettings settings(folder.FilePath(kCopy), QSettings::IniFormat);
    read(settings);
    return std::nullopt;
}

std::optional<std::string> SettingsStore::Edit(const std::function<bool(QSettings&)>& edit) const
{
    if (std::optional<std::string> problem = m_file.MakeFolder())
        return problem;
    SettingsLock lock(m_file.Path());
    if (std::optional<std::string> problem = lock.Acquire())
        return problem;
    // Read again: another instance may have written since.
    const SettingsFile::Content content = m_file.Read();
    if (!content.ours)
        return content.problem;
    const PrivateFolder folder;
    if (std::optional<std::string> problem = folder.Write(kCopy, content.text))
        return CopyProblem(*problem);
    {
        QSettings settings(folder.FilePath(kCopy), QSettings::IniFormat);
        if (!edit(settings))
            return std::nullopt;
        settings.sync();
        // A format error only means lines Qt's store could not read, which
        // it leaves out.
        if (settings.status() == QSettings::AccessError)
            return CopyProblem("Qt's settings store cannot write it");
    }
    const std::optional<std::string> text = folder.Read(kCopy);
    if (!text)
        return CopyProblem("it cannot be read back");
    return m_file.Replace(*text);
}

}  // namespace quibo
