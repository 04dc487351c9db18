#pragma once

#include <cstdint>

#include "calc/DataType.h"
#include "platform/BitsPanel.h"

namespace quibo {

BitRole RoleOfBit(DataType type, int bit);

// The panel's bits for a value at a type.
PanelBits PanelBitsAt(DataType type, std::uint64_t value);

}  // namespace quibo
