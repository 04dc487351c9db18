#include "shell/qt/QtAppPlatform.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMainWindow>
#include <QMessageBox>
#include <QSettings>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "shell/qt/FileNames.h"
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

// The prompt looks a file up by its name as text, which misses a file whose
// name is not valid in the file-name encoding: look up the bytes that name
// stands for first, for Open to find the file and for Save As to ask before
// it replaces one.
class FilePrompt : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList files = selectedFiles();
        struct stat info {};
        if (files.size() != 1 || QFileInfo::exists(files.first()) ||
            stat(NativeName(files.first()).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
            QFileDialog::accept();
            return;
        }
        if (acceptMode() == AcceptSave &&
            QMessageBox::warning(this, windowTitle(),
                                 QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                                     .arg(QFileInfo(files.first()).fileName()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            return;
        QDialog::accept();
    }
};

// A file prompt with the one filter "All Files (*.*)". On this platform many
// names have no dot, so the filter's pattern is widened to every file.
std::optional<std::string> Prompt(QWidget* parent, const char* caption, QFileDialog::AcceptMode mode)
{
    FilePrompt dialog(parent, caption);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(kAllFilesFilter);
    if (auto* model = dialog.findChild<QFileSystemModel*>())
        model->setNameFilters({QStringLiteral("*")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return NativeName(dialog.selectedFiles().first());
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

// Paths are the system's bytes, used as they are: a name need not be
// valid in any encoding.
OpenResult QtAppPlatform::OpenForReading(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? OpenResult::NotFound : OpenResult::Failed;
    if (S_ISDIR(info.st_mode))
        return OpenResult::Failed;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return OpenResult::Failed;
    close(fd);
    return OpenResult::Opened;
}

bool QtAppPlatform::CreateEmpty(const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return fd >= 0 && close(fd) == 0;
}

std::string QtAppPlatform::FullPath(const std::string& path)
{
    return AbsolutePath(path);
}

void QtAppPlatform::ErrorBox(const std::string& text)
{
    // File errors name the file: show its name as the desktop does.
    m_form.MessageBox(DisplayName(text), QStringLiteral("ERROR"));
}

void QtAppPlatform::SetCaption(const std::string& caption)
{
    m_window.setWindowTitle(DisplayName(caption));
}

std::vector<std::string> QtAppPlatform::ReadRecentFiles()
{
    // An unreadable or garbled file gives no entries; nothing else fails.
    QSettings settings = Settings();
    settings.beginGroup(kRecentGroup);
    std::vector<std::string> files;
    for (int i = 1; i <= 4; ++i) {
        const QVariant value = settings.value(QStringLiteral("File%1").arg(i));
        const QByteArray path = value.typeId() == QMetaType::QByteArray ? value.toByteArray()
                                : value.canConvert<QString>()          ? QFile::encodeName(value.toString())
                                                                       : QByteArray();
        if (!path.isEmpty())
            files.push_back(path.toStdString());
    }
    return files;
}

void QtAppPlatform::WriteRecentFiles(const std::vector<std::string>& files)
{
    QSettings settings = Settings();
    settings.remove(kRecentGroup);
    settings.beginGroup(kRecentGroup);
    for (std::size_t i = 0; i < files.size(); ++i) {
        // A name is kept as text; one that text cannot hold keeps its bytes.
        const QByteArray path = QByteArray::fromStdString(files[i]);
        const QString shown = QFile::decodeName(path);
        const QVariant value = QFile::encodeName(shown) == path ? QVariant(shown) : QVariant(path);
        settings.setValue(QStringLiteral("File%1").arg(i + 1), value);
    }
    settings.endGroup();
    settings.sync();
}

}  // namespace quibo
