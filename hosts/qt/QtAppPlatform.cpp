#include "hosts/qt/QtAppPlatform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>

#include "hosts/qt/files/FileNames.h"
#include "hosts/qt/files/FilePrompt.h"
#include "hosts/qt/files/RegularFile.h"
#include "hosts/qt/form/Latin1Text.h"
#include "res/Texts.h"

namespace quibo {

std::optional<std::string> QtAppPlatform::PromptOpen(const std::string& folder)
{
    std::optional<std::string> path;
    m_form.RunModal([&] { path = PromptForFile(&m_window, "Open", QFileDialog::AcceptOpen, folder); });
    return path;
}

std::optional<std::string> QtAppPlatform::PromptSaveAs(const std::string& folder)
{
    std::optional<std::string> path;
    m_form.RunModal([&] { path = PromptForFile(&m_window, "Save As", QFileDialog::AcceptSave, folder); });
    return path;
}

// Paths are the system's bytes, used as they are: a name need not be
// valid in any encoding.
OpenResult QtAppPlatform::OpenForReading(const std::string& path)
{
    return OpenDocument(path);
}

bool QtAppPlatform::CreateEmpty(const std::string& path)
{
    return CreateEmptyDocument(path);
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

StoredSettings QtAppPlatform::ReadSettings()
{
    return m_settings.Read();
}

void QtAppPlatform::UpdateRecentFiles(const RecentFileUpdate& update)
{
    m_settings.UpdateRecentFiles(update);
}

void QtAppPlatform::StoreBitsShown(bool shown)
{
    m_settings.StoreBitsShown(shown);
}

void QtAppPlatform::StoreInspectorShown(bool shown)
{
    m_settings.StoreInspectorShown(shown);
}

}  // namespace quibo
