#pragma once

#include <QFileDialog>

#include <optional>
#include <string>

namespace quibo {

class SettingsEdits;

// Qt's file prompt for Open or Save As, with the one filter "All Files
// (*.*)": the chosen file's name as the system's bytes, even where the
// prompt could show it only as text; nothing when cancelled. Save As asks
// before it replaces a file. The prompt keeps its own settings on a
// private copy (DialogSettings.h), and edits keeps what it changed.
std::optional<std::string> PromptForFile(QWidget* parent, const char* caption, QFileDialog::AcceptMode mode,
                                         SettingsEdits& edits);

}  // namespace quibo
