#pragma once

#include <QFileDialog>

#include <optional>
#include <string>

namespace quibo {

// Qt's file prompt for Open or Save As, with the one filter "All Files
// (*.*)", starting in folder when it is one, else in the working folder:
// the chosen file's name as the system's bytes, even where the prompt could
// show it only as text; nothing when cancelled. Save As asks before it
// replaces a file. Qt's prompt keeps no settings of its own.
std::optional<std::string> PromptForFile(QWidget* parent, const char* caption, QFileDialog::AcceptMode mode,
                                         const std::string& folder);

}  // namespace quibo
