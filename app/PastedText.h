#pragma once

#include <string>
#include <string_view>

#include "platform/ControlIds.h"

namespace quibo {

// What a paste or a drop into a form control inserts: into HEX and DECIMAL
// a number as code writes it ("0xDEAD_BEEFu", "1'000") goes in as its
// digits; any other text, and any text into another control, as it is.
// Typing never comes here.
std::string PastedText(ControlId control, std::string_view text);

}  // namespace quibo
