#pragma once

#include <functional>
#include <string>

#include "replay/StateLine.h"
#include "platform/FormWindow.h"

namespace quibo {

// The texts a replay prints, read from any host's form: the fields, the
// byte-order key's caption, the data type whose menu item is checked (asked
// of the update handlers through menuCheck) and the status text. Messages
// are the caller's to add.
FormState ReadState(const FormWindow& form, const std::function<int(int)>& menuCheck, std::string status);

}  // namespace quibo
