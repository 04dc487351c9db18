#include "shell/qt/QtAppPlatform.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QSettings>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "shell/qt/DialogSettings.h"
#include "shell/qt/FileNames.h"
#include "shell/qt/Latin1Text.h"
#include "shell/qt/RecentFileSettings.h"
#include "shell/qt/SettingsStore.h"
#include "shell/res/Strings.h"
#include "shell/res/Texts.h"

namespace quibo {

namespace {

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

QtAppPlatform::QtAppPlatform(QMainWindow& window, QtForm& form)
    : m_window(window), m_form(form), m_settings(UserSettingsPlace("Local AppWizard-Generated Applications/Quibo.ini"))
{
}

std::optional<std::string> QtAppPlatform::PromptOpen()
{
    std::optional<std::string> path;
    m_form.RunModal([&] {
        WithPrivateDialogSettings([&] { path = Prompt(&m_window, "Open", QFileDialog::AcceptOpen); });
    });
    return path;
}

std::optional<std::string> QtAppPlatform::PromptSaveAs()
{
    std::optional<std::string> path;
    m_form.RunModal([&] {
        WithPrivateDialogSettings([&] { path = Prompt(&m_window, "Save As", QFileDialog::AcceptSave); });
    });
    return path;
}

// Paths are the system's bytes, used as they are: a name need not be
// valid in any encoding.
OpenResult QtAppPlatform::OpenForReading(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? OpenResult::NotFound : OpenResult::Failed;
    // Only a regular file is a document: opening a FIFO waits for a writer
    // (and takes what it writes), opening a device may make it act.
    if (!S_ISREG(info.st_mode))
        return OpenResult::Failed;
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return OpenResult::Failed;
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    return regular ? OpenResult::Opened : OpenResult::Failed;
}

bool QtAppPlatform::CreateEmpty(const std::string& path)
{
    // Empties a regular file, or makes a new one; touches nothing else. Not
    // blocking, should a FIFO take the file's place meanwhile.
    struct stat info {};
    int fd = -1;
    if (stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return false;
        fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } else if (errno == ENOENT) {
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    }
    if (fd < 0)
        return false;
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    return close(fd) == 0 && regular;
}

std::string QtAppPlatform::FullPath(const std::string& path)
{
    return AbsolutePath(path);
}

void QtAppPlatform::ErrorBox(const std::string& text)
{
    // File errors name the file: show its name as the desktop does.
    m_form.MessageBox(DisplayName(text), ToQString(kErrorCaption));
}

void QtAppPlatform::CloseMainWindow()
{
    m_window.close();
}

void QtAppPlatform::SetCaption(const std::string& caption)
{
    m_window.setWindowTitle(DisplayName(caption));
}

void QtAppPlatform::SetClipboardText(const std::string& text)
{
    // At exit Qt hands what it owns to a clipboard manager, where the
    // desktop runs one, so the text outlives the window.
    QGuiApplication::clipboard()->setText(ToQString(text));
}

std::vector<std::string> QtAppPlatform::ReadRecentFiles()
{
    // A file that is not ours gives no entries; nothing else fails.
    std::vector<std::string> files;
    const std::optional<std::string> problem =
        m_settings.path.empty() ? m_settings.problem
                                : SettingsStore(m_settings.path).Read([&](QSettings& settings) { files = RecentFilesIn(settings); });
    if (problem)
        std::fprintf(stderr, "quibo: the recent-file list is not read: %s\n", problem->c_str());
    return files;
}

void QtAppPlatform::UpdateRecentFiles(const RecentFileUpdate& update)
{
    // Without a place, start-up said so already.
    if (m_settings.path.empty())
        return;
    const std::optional<std::string> problem = SettingsStore(m_settings.path).Edit([&](QSettings& settings) {
        const std::optional<std::vector<std::string>> files = update(RecentFilesIn(settings));
        if (files)
            StoreRecentFiles(settings, *files);
        return files.has_value();
    });
    if (problem)
        std::fprintf(stderr, "quibo: the recent-file list is not kept: %s\n", problem->c_str());
}

}  // namespace quibo
