#include "hosts/qt/files/FilePrompt.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QSettings>

#include <limits.h>
#include <sys/stat.h>

#include "hosts/qt/files/FileNames.h"
#include "res/Strings.h"

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

}  // namespace

std::optional<std::string> PromptForFile(QWidget* parent, const char* caption, QFileDialog::AcceptMode mode,
                                         const std::string& folder)
{
    // Qt's prompt reads and writes QtProject.conf, which every Qt program of
    // the user's shares, through none of the checks of Quibo's own file. Its
    // settings are sent to a name longer than any path may be, where every
    // read, lock and folder that it tries fails at once.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, "/" + QString(PATH_MAX, u'x'));
    // Many names on this platform have no dot: the filter's pattern is
    // widened to every file.
    FilePrompt dialog(parent, caption);
    const QString start = QFile::decodeName(QByteArray::fromStdString(folder));
    const bool inFolder = !folder.empty() && QFile::encodeName(start).toStdString() == folder && QFileInfo(start).isDir();
    dialog.setDirectory(inFolder ? start : QDir::currentPath());
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

}  // namespace quibo
