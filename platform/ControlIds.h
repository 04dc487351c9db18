#pragma once

namespace quibo {

// Control ids of form 101. The numbers are fixed by the form template and are
// what the routing tables key on; captions are never used to dispatch.
enum ControlId : int {
    IDC_KEY_D = 1000,
    IDC_KEY_E = 1001,
    IDC_KEY_F = 1002,
    IDC_KEY_A = 1003,
    IDC_KEY_B = 1004,
    IDC_KEY_C = 1005,
    IDC_KEY_7 = 1006,
    IDC_KEY_8 = 1007,
    IDC_KEY_9 = 1008,
    IDC_KEY_4 = 1009,
    IDC_KEY_5 = 1010,
    IDC_KEY_6 = 1011,
    IDC_KEY_1 = 1012,
    IDC_KEY_2 = 1013,
    IDC_KEY_3 = 1014,
    IDC_KEY_0 = 1015,
    IDC_KEY_CLEAR = 1016,
    IDC_KEY_DIVIDE = 1017,
    IDC_KEY_MULTIPLY = 1018,
    IDC_KEY_SUBTRACT = 1019,
    IDC_KEY_ADD = 1020,
    IDC_KEY_EQUALS = 1021,
    IDC_KEY_BYTE_ORDER = 1022,
    IDC_KEY_COMPLEMENT = 1039,
    IDC_KEY_XOR = 1040,
    IDC_KEY_AND = 1041,
    IDC_KEY_OR = 1042,
    IDC_KEY_SHIFT_LEFT = 1044,
    IDC_KEY_SHIFT_RIGHT = 1045,
    IDC_HEX_EDIT = 1049,
    IDC_DECIMAL_EDIT = 1050,
    IDC_BINARY = 1054,
    IDC_DISPLAY = 1056,
    IDC_KEY_MODULUS = 1061,
    // The Bits panel's 64 bits, bit n at IDC_BIT_0 + n. Not in the form's
    // template: the panel lies below it.
    IDC_BIT_0 = 1100,
    IDC_BIT_63 = 1163,
    // Labels and group boxes: never addressed, never notify.
    IDC_STATIC = 65535,
};

constexpr bool IsBitControl(int id)
{
    return id >= IDC_BIT_0 && id <= IDC_BIT_63;
}

constexpr ControlId BitControl(int bit)
{
    return static_cast<ControlId>(IDC_BIT_0 + bit);
}

constexpr int BitOfControl(ControlId id)
{
    return id - IDC_BIT_0;
}

}  // namespace quibo
