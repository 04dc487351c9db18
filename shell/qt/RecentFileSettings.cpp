#include "shell/qt/RecentFileSettings.h"

#include <QFile>
#include <QSettings>

#include "shell/CBytewhirlApp.h"

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

}  // namespace quibo
