#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "calc/DataType.h"

namespace quibo {

// What the converter's last value lost to its type, as the WRAP pane says
// it; empty when nothing was lost. The values themselves are cut as C cuts
// them; these texts only say so.

// An operation's, from its operands as the type's values: "E does not fit
// in T" with the exact result E, "division by zero", or "shift count B is
// outside 0 to W-1"; empty for one whose result fits (and for ~ ^ & | and no operation).
std::string WrapOfOperation(std::int32_t op, DataType type, std::uint64_t a, std::uint64_t b);

// DECIMAL's text at the type: "DECIMAL does not fit in T" when the integer
// it spells (as the integral types read it, but without a limit) is outside
// the type's range, or, for a real type, when a finite spelling gives an
// infinity.
std::string WrapOfDecimal(DataType type, const std::string& text);

// The pane's own text for a wrap text: "WRAP", "DIV0", "SHIFT", or empty.
std::string_view WrapLabel(std::string_view wrap);

}  // namespace quibo
