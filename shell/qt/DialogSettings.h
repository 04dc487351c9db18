#pragma once

#include <functional>

#include "shell/qt/SettingsPlace.h"

namespace quibo {

// Qt's file dialog keeps settings of its own (the folders it visited, its
// view) in QtProject.conf, which it would open and replace itself, through
// none of the checks of Quibo's settings file: a FIFO there would block
// the window, a link to a device would be replaced, root would take the
// file from its user. The dialog gets a private copy of the checked file
// instead, and what it changed there goes back through the same checks.
class DialogSettings {
public:
    DialogSettings();

    // Runs dialog, which makes and ends a file dialog, on a private copy.
    void Run(const std::function<void()>& dialog) const;

private:
    SettingsPlace m_place;
};

}  // namespace quibo
