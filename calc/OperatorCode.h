#pragma once

#include <cstdint>

namespace quibo {

// The pending operator, as the document holds it.
enum OperatorCode : std::int32_t {
    OP_NONE = 0,
    OP_ADD = 1,
    OP_SUBTRACT = 2,
    OP_MULTIPLY = 3,
    OP_DIVIDE = 4,
    OP_COMPLEMENT = 5,
    OP_XOR = 6,
    OP_AND = 7,
    OP_OR = 8,
    OP_SHIFT_LEFT = 9,
    OP_SHIFT_RIGHT = 10,
    OP_MODULUS = 11,
};

}  // namespace quibo
