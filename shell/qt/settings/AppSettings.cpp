#include "shell/qt/settings/AppSettings.h"

#include <QFile>
#include <QSettings>

#include <cstdio>

#include "shell/qt/settings/SettingsStore.h"

namespace quibo {

namespace {

const QString kGroup = QStringLiteral("Recent File List");
const QString kBitsKey = QStringLiteral("View/Bits");

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
    for (std::size_t number = 1; number <= kRecentFiles; ++number) {
        if (std::string name = Name(settings.value(Key(number))); !name.empty())
            files.push_back(std::move(name));
    }
    settings.endGroup();
    return files;
}

void StoreRecentFiles(QSettings& settings, const std::vector<std::string>& files)
{
    settings.beginGroup(kGroup);
    for (std::size_t number = 1; number <= kRecentFiles; ++number) {
        if (number <= files.size())
            settings.setValue(Key(number), Stored(files[number - 1]));
        else
            settings.remove(Key(number));
    }
    settings.endGroup();
}

bool BitsShownIn(QSettings& settings)
{
    const QVariant value = settings.value(kBitsKey);
    return value.typeId() == QMetaType::QString && value.toString() == QLatin1String("true");
}

void StoreBitsShown(QSettings& settings, bool shown)
{
    settings.setValue(kBitsKey, shown);
}

AppSettings::AppSettings(SettingsEdits& edits)
    : m_edits(edits), m_place(UserSettingsPlace("Local AppWizard-Generated Applications/Quibo.ini"))
{
}

StoredSettings AppSettings::Read() const
{
    // A file that is not ours gives no entries; nothing else fails.
    StoredSettings stored;
    const std::optional<std::string> problem =
        m_place.path.empty() ? m_place.problem : SettingsStore(m_place).Read([&](QSettings& settings) {
            stored.recentFiles = RecentFilesIn(settings);
            stored.bitsShown = BitsShownIn(settings);
        });
    if (problem)
        std::fprintf(stderr, "quibo: the settings are not read: %s\n", problem->c_str());
    return stored;
}

void AppSettings::StoreBitsShown(bool shown) const
{
    if (m_place.path.empty())
        return;
    m_edits.Submit(
        m_place, "bits",
        [shown](QSettings& settings) {
            if (BitsShownIn(settings) == shown && settings.contains(kBitsKey))
                return false;
            quibo::StoreBitsShown(settings, shown);
            return true;
        },
        [](const std::string& problem) {
            std::fprintf(stderr, "quibo: whether the bits are shown is not kept: %s\n", problem.c_str());
        });
}

void AppSettings::UpdateRecentFiles(const RecentFileUpdate& update) const
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

void AppSettings::CleanUp() const
{
    if (!m_place.path.empty())
        SettingsStore(m_place).CleanUp();
}

}  // namespace quibo
