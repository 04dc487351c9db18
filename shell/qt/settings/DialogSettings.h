#pragma once

#include <functional>

namespace quibo {

class SettingsEdits;

// Qt's file dialog keeps settings of its own (the folders it visited, its
// view) in QtProject.conf, which it would open and replace itself, through
// none of the checks of Quibo's settings file: a FIFO there would block
// the window, a link to a device would be replaced, root would take the
// file from its user. So dialog, which makes and ends a file dialog, runs
// on a private copy of the checked file, and what it changed there goes
// back through the same checks once the file's lock is free.
void WithPrivateDialogSettings(SettingsEdits& edits, const std::function<void()>& dialog);

// Removes what killed sessions left beside QtProject.conf.
void CleanUpDialogSettings();

}  // namespace quibo
