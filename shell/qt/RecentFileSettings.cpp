#include "shell/qt/RecentFileSettings.h"

#include <QFile>
#include <QSettings>

#include <cstdio>

#include "shell/CBytewhirlApp.h"
#include "shell/qt/SettingsStore.h"

namespace quibo {

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString Key(std::size_t number)
{
    return QStringLiteral("File%1").arg(number);
}

QVariant Stored(const std::string& name)
{
    const QByteArray bytes = QByteArray::fromStdString(name);
    const QString text = QFile::decodeName(bytes);
    return QFile::encodeName(text) == bytes ? QVariant(text) : QVariant(bytes);
}

std::string Name(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QByteArray:
        return value.toByteArray().toStdString();
    case QMetaType::QString:
        return QFile::encodeName(value.toString()).toStdString();
    default:
        return {};
    }
}

}  // namespace

std::vector<std::string> RecentFilesIn(QSettings& settings)
{
    std::vector<std::string> files;
    settings.beginGroup(kGroup);
    for (std::size_t number = 1; number <= CBytewhirlApp::kRecentFiles; ++number) {
        if (std::string name = Name(settings.value(Key(number))); !name.empty())
            files.push_back(std::move(name));
    }
    settings.endGroup();
    return files;
}

void StoreRecentFiles(QSettings& settings, const std::vector<std::string>& files)
{
    settings.beginGroup(kGroup);
    for (std::size_t number = 1; number <= CBytewhirlApp::kRecentFiles; ++number) {
        if (number <= files.size())
            settings.setValue(Key(number), Stored(files[number - 1]));
        else
            settings.remove(Key(number));
    }
    settings.endGroup();
}

RecentFileStore::RecentFileStore(SettingsEdits& edits)
    : m_edits(edits), m_place(UserSettingsPlace("Local AppWizard-Generated Applications/Quibo.ini"))
{
}

std::vector<std::string> RecentFileStore::Read() const
{
    // A file that is not ours gives no entries; nothing else fails.
    std::vector<std::string> files;
    const std::optional<std::string> problem =
        m_place.path.empty() ? m_place.problem
                             : SettingsStore(m_place).Read([&](QSettings& settings) { files = RecentFilesIn(settings); });
    if (problem)
        std::fprintf(stderr, "quibo: the recent-file list is not read: %s\n", problem->c_str());
    return files;
}

void RecentFileStore::Update(const RecentFileUpdate& update) const
{
    // Without a place, start-up said so already.
    if (m_place.path.empty())
        return;
    m_edits.Submit(
        m_place, "recent files",
        [update](QSettings& settings) {
            const std::optional<std::vector<std::string>> files = update(RecentFilesIn(settings));
            if (files)
                StoreRecentFiles(settings, *files);
            return files.has_value();
        },
        [](const std::string& problem) {
            std::fprintf(stderr, "quibo: the recent-file list is not kept: %s\n", problem.c_str());
        });
}

void RecentFileStore::CleanUp() const
{
    if (!m_place.path.empty())
        SettingsStore(m_place).CleanUp();
}

}  // namespace quibo
