#include "res/KeyboardKeys.h"

#include <array>
#include <string_view>

namespace quibo {

namespace {

// The numeric keypad types the same characters as the main keys.
constexpr auto kKeyboardKeys = std::to_array<KeyboardKey>({
    {"0", IDC_KEY_0, "0"},
    {"1", IDC_KEY_1, "1"},
    {"2", IDC_KEY_2, "2"},
    {"3", IDC_KEY_3, "3"},
    {"4", IDC_KEY_4, "4"},
    {"5", IDC_KEY_5, "5"},
    {"6", IDC_KEY_6, "6"},
    {"7", IDC_KEY_7, "7"},
    {"8", IDC_KEY_8, "8"},
    {"9", IDC_KEY_9, "9"},
    {"Aa", IDC_KEY_A, "A"},
    {"Bb", IDC_KEY_B, "B"},
    {"Cc", IDC_KEY_C, "C"},
    {"Dd", IDC_KEY_D, "D"},
    {"Ee", IDC_KEY_E, "E"},
    {"Ff", IDC_KEY_F, "F"},
    {"\x1b", IDC_KEY_CLEAR, "Esc"},
    {"/", IDC_KEY_DIVIDE, "/"},
    {"*", IDC_KEY_MULTIPLY, "*"},
    {"-", IDC_KEY_SUBTRACT, "-"},
    {"+", IDC_KEY_ADD, "+"},
    {"=\r", IDC_KEY_EQUALS, "= or Enter"},
    {"~", IDC_KEY_COMPLEMENT, "~"},
    {"^", IDC_KEY_XOR, "^"},
    {"&", IDC_KEY_AND, "&"},
    {"|", IDC_KEY_OR, "|"},
    {"<", IDC_KEY_SHIFT_LEFT, "<"},
    {">", IDC_KEY_SHIFT_RIGHT, ">"},
    {"%", IDC_KEY_MODULUS, "%"},
});

}  // namespace

std::optional<ControlId> KeypadKeyForCharacter(char32_t character)
{
    if (character == 0 || character > 0x7F)
        return std::nullopt;
    for (const KeyboardKey& entry : kKeyboardKeys) {
        if (std::string_view(entry.characters).find(static_cast<char>(character)) != std::string_view::npos)
            return entry.key;
    }
    return std::nullopt;
}

const char* KeyboardKeyName(ControlId key)
{
    for (const KeyboardKey& entry : kKeyboardKeys) {
        if (entry.key == key)
            return entry.name;
    }
    return nullptr;
}

}  // namespace quibo
