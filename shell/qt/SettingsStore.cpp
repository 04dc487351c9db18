#include "shell/qt/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "shell/qt/SettingsLock.h"

namespace quibo {

namespace {

// The text in a file of a folder of its own (mode 0700, removed with it),
// for Qt's store to read, write and lock as it likes.
class PrivateCopy {
public:
    explicit PrivateCopy(const std::string& text) : m_path(m_folder.filePath(QStringLiteral("settings.ini")))
    {
        if (!m_folder.isValid()) {
            m_problem = m_folder.errorString().toStdString();
            return;
        }
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
            !file.flush())
            m_problem = file.errorString().toStdString();
    }

    // Why the copy could not be made; empty when it was.
    const std::string& Problem() const { return m_problem; }
    const QString& Path() const { return m_path; }

    std::optional<std::string> Text() const
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return file.readAll().toStdString();
    }

private:
    QTemporaryDir m_folder;
    QString m_path;
    std::string m_problem;
};

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
    if (content.text.empty()) {
        // No settings yet, as on a first start: no copy to make. Nothing
        // can be below a device, so Qt's store finds nothing there.
        QSettings settings(QStringLiteral("/dev/null/empty.ini"), QSettings::IniFormat);
        read(settings);
        return std::nullopt;
    }
    const PrivateCopy copy(content.text);
    if (!copy.Problem().empty())
        return CopyProblem(copy.Problem());
    QSettings settings(copy.Path(), QSettings::IniFormat);
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
    const PrivateCopy copy(content.text);
    if (!copy.Problem().empty())
        return CopyProblem(copy.Problem());
    {
        QSettings settings(copy.Path(), QSettings::IniFormat);
        if (!edit(settings))
            return std::nullopt;
        settings.sync();
        // A format error only means lines Qt's store could not read, which
        // it leaves out.
        if (settings.status() == QSettings::AccessError)
            return CopyProblem("Qt's settings store cannot write it");
    }
    const std::optional<std::string> text = copy.Text();
    if (!text)
        return CopyProblem("it cannot be read back");
    return m_file.Replace(*text);
}

}  // namespace quibo
