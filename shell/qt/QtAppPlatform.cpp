#include "shell/qt/QtAppPlatform.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMainWindow>
#include <QSettings>

#include "shell/qt/Latin1Text.h"
#include "shell/res/Strings.h"

namespace quibo {

namespace {

// Where the framework keeps its settings: organisation, application, group.
constexpr char kOrganisation[] = "Local AppWizard-Generated Applications";
constexpr char kApplication[] = "Quibo";
constexpr char kRecentGroup[] = "Recent File List";

QSettings Settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, kOrganisation, kApplication);
}

// A file prompt with the one filter "All Files (*.*)". On this platform many
// names have no dot, so the filter's pattern is widened to every file.
std::optional<std::string> Prompt(QWidget* parent, const char* caption, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, caption);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(kAllFilesFilter);
    if (auto* model = dialog.findChild<QFileSystemModel*>())
        model->setNameFilters({QStringLiteral("*")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

std::optional<std::string> QtAppPlatform::PromptOpen()
{
    std::optional<std::string> path;
    m_form.RunModal([&] { path = Prompt(&m_window, "Open", QFileDialog::AcceptOpen); });
    return path;
}

std::optional<std::string> QtAppPlatform::PromptSaveAs()
{
    std::optional<std::string> path;
    m_form.RunModal([&] { path = Prompt(&m_window, "Save As", QFileDialog::AcceptSave); });
    return path;
}

OpenResult QtAppPlatform::OpenForReading(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.exists())
        return OpenResult::NotFound;
    if (QFileInfo(file).isDir() || !file.open(QIODevice::ReadOnly))
        return OpenResult::Failed;
    return OpenResult::Opened;
}

bool QtAppPlatform::CreateEmpty(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

std::string QtAppPlatform::FullPath(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
}

void QtAppPlatform::ErrorBox(const std::string& text)
{
    m_form.MessageBox(text, "ERROR");
}

void QtAppPlatform::SetCaption(const std::string& caption)
{
    m_window.setWindowTitle(ToQString(caption));
}

std::vector<std::string> QtAppPlatform::ReadRecentFiles()
{
    // An unreadable or garbled file gives no entries; nothing else fails.
    QSettings settings = Settings();
    settings.beginGroup(kRecentGroup);
    std::vector<std::string> files;
    for (int i = 1; i <= 4; ++i) {
        const QVariant value = settings.value(QStringLiteral("File%1").arg(i));
        if (value.canConvert<QString>() && !value.toString().isEmpty())
            files.push_back(value.toString().toStdString());
    }
    return files;
}

void QtAppPlatform::WriteRecentFiles(const std::vector<std::string>& files)
{
    QSettings settings = Settings();
    settings.remove(kRecentGroup);
    settings.beginGroup(kRecentGroup);
    for (std::size_t i = 0; i < files.size(); ++i)
        settings.setValue(QStringLiteral("File%1").arg(i + 1), QString::fromStdString(files[i]));
    settings.endGroup();
    settings.sync();
}

}  // namespace quibo
