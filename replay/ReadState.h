#pragma once

#include <functional>
#include <string>

#include "replay/StateLine.h"
#include "platform/FormWindow.h"
#include "platform/StatusBarWindow.h"

namespace quibo {

// The texts a replay prints, read from any host's windows: the fields, the
// byte-order key's caption, the data type whose menu item is checked (asked
// of the update handlers through menuCheck), the status text and the WRAP
// pane's. Messages are the caller's to add.
FormState ReadState(const FormWindow& form, const std::function<int(int)>& menuCheck, const StatusBarWindow& statusBar);

}  // namespace quibo
