#pragma once

#include <string>

#include "replay/StateLine.h"

namespace quibo {

// The four fields for a terminal, one a line, labels aligned, and what the
// WRAP pane says when it says anything; a second line of BINARY is indented
// under the first. Trailing blanks are left off.
std::string FieldText(const FormState& state);

}  // namespace quibo
