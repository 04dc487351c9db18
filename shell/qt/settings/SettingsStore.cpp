#include "shell/qt/settings/SettingsStore.h"

#include <QSettings>

#include "shell/qt/settings/PrivateFolder.h"
#include "shell/qt/settings/SettingsFile.h"
#include "shell/qt/settings/SettingsFolder.h"
#include "shell/qt/settings/SettingsText.h"

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
    const SettingsFolder folder(m_place, SettingsFolder::Make::No);
    if (!folder.IsOpen())
        return folder.Problem().empty() ? std::nullopt : std::optional(folder.Problem());
    const SettingsFile::Content content = SettingsFile(folder).Read();
    if (!content.ours)
        return content.problem;
    if (content.text.empty())
        return std::nullopt;  // no settings yet, as on a first start
    if (std::optional<std::string> problem = ReadSettingsText(content.text, read))
        return CopyProblem(*problem);
    return std::nullopt;
}

SettingsStore::Result SettingsStore::Edit(const std::function<bool(QSettings&)>& edit, const Pause* pause) const
{
    const auto failed = [](std::string problem) { return Result{Outcome::Failed, std::move(problem)}; };
    const SettingsFolder folder(m_place, SettingsFolder::Make::Yes);
    if (!folder.IsOpen())
        return failed(folder.Problem());
    SettingsLock lock(folder);
    switch (pause ? lock.Wait(*pause) : lock.Try()) {
    case SettingsLock::State::Held:
        break;
    case SettingsLock::State::Busy:
        return {Outcome::Busy, lock.Problem()};
    case SettingsLock::State::Failed:
        return failed(lock.Problem());
    }
    // Read again: another instance may have written since. What is read is
    // what is replaced, or nothing is.
    const SettingsFile file(folder);
    SettingsFile::Target target;
    if (std::optional<std::string> problem = file.Find(target))
        return failed(*problem);
    const SettingsFile::Content content = file.Read(target);
    if (!content.ours)
        return failed(content.problem);
    const PrivateFolder copy(folder);
    if (std::optional<std::string> problem = copy.Write(kCopy, content.text))
        return failed(CopyProblem(*problem));
    {
        QSettings settings(copy.FilePath(kCopy), QSettings::IniFormat);
        if (!edit(settings))
            return {};
        settings.sync();
        // A format error only means lines Qt's store could not read, which
        // it leaves out.
        if (settings.status() == QSettings::AccessError)
            return failed(CopyProblem("Qt's settings store cannot write it"));
    }
    const std::optional<std::string> text = copy.Read(kCopy);
    if (!text)
        return failed(CopyProblem("it cannot be read back"));
    if (std::optional<std::string> problem = file.Replace(target, *text))
        return failed(*problem);
    return {};
}

void SettingsStore::CleanUp() const
{
    const SettingsFolder folder(m_place, SettingsFolder::Make::No);
    if (folder.IsOpen())
        PrivateFolder::CleanUpLeftovers(folder);
}

}  // namespace quibo
