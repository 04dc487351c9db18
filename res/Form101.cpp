#include <array>

#include "platform/CommandIds.h"
#include "res/Templates.h"
#include "res/Texts.h"

namespace quibo {

namespace {

constexpr unsigned KEY = STYLE_TABSTOP;
// An edit scrolls horizontally while typing, as every line edit does.
constexpr unsigned FIELD = STYLE_BORDER | STYLE_TABSTOP | STYLE_RIGHT;
constexpr unsigned LABEL = STYLE_CENTER;

using enum ControlKind;

constexpr auto kControls = std::to_array<ControlTemplate>({
    {IDC_STATIC, GroupBox, "Hex Calculator", {4, 4, 155, 136}, STYLE_NONE},
    {IDC_STATIC, GroupBox, "Hex Converter", {4, 141, 153, 67}, STYLE_NONE},
    {IDC_KEY_D, PushButton, "D", {11, 38, 20, 14}, KEY, "Digit D", "Hex digit"},
    {IDC_STATIC, GroupBox, "", {15, 9, 111, 24}, STYLE_NONE},
    {IDC_KEY_E, PushButton, "E", {34, 38, 20, 14}, KEY, "Digit E", "Hex digit"},
    {IDC_KEY_F, PushButton, "F", {57, 38, 20, 14}, KEY, "Digit F", "Hex digit"},
    {IDC_KEY_A, PushButton, "A", {11, 55, 20, 14}, KEY, "Digit A", "Hex digit"},
    {IDC_KEY_B, PushButton, "B", {34, 55, 20, 14}, KEY, "Digit B", "Hex digit"},
    {IDC_KEY_C, PushButton, "C", {57, 55, 20, 14}, KEY, "Digit C", "Hex digit"},
    {IDC_KEY_7, PushButton, "7", {11, 72, 20, 14}, KEY, "Digit 7", "Hex digit"},
    {IDC_KEY_8, PushButton, "8", {34, 72, 20, 14}, KEY, "Digit 8", "Hex digit"},
    {IDC_KEY_9, PushButton, "9", {57, 72, 20, 14}, KEY, "Digit 9", "Hex digit"},
    {IDC_KEY_4, PushButton, "4", {11, 89, 20, 14}, KEY, "Digit 4", "Hex digit"},
    {IDC_KEY_5, PushButton, "5", {34, 89, 20, 14}, KEY, "Digit 5", "Hex digit"},
    {IDC_KEY_6, PushButton, "6", {57, 89, 20, 14}, KEY, "Digit 6", "Hex digit"},
    {IDC_KEY_1, PushButton, "1", {11, 106, 20, 14}, KEY, "Digit 1", "Hex digit"},
    {IDC_KEY_2, PushButton, "2", {34, 106, 20, 14}, KEY, "Digit 2", "Hex digit"},
    {IDC_KEY_3, PushButton, "3", {57, 106, 20, 14}, KEY, "Digit 3", "Hex digit"},
    {IDC_KEY_0, PushButton, "0", {34, 122, 20, 14}, KEY, "Digit 0", "Hex digit"},
    {IDC_KEY_CLEAR, PushButton, "CLR", {85, 38, 20, 14}, KEY, "Clear", "Clears display to start new calculation"},
    {IDC_KEY_DIVIDE, PushButton, "/", {85, 55, 20, 14}, KEY, "Divide", "Division operator"},
    {IDC_KEY_MULTIPLY, PushButton, "*", {85, 72, 20, 14}, KEY, "Multiply", "Multiplication operator"},
    {IDC_KEY_SUBTRACT, PushButton, "-", {85, 89, 20, 14}, KEY, "Subtract", "Subtraction operator"},
    {IDC_KEY_ADD, PushButton, "+", {85, 106, 20, 14}, KEY, "Add", "Addition operator"},
    {IDC_KEY_EQUALS, PushButton, "=", {85, 122, 20, 14}, KEY, "Equals", "Displays total or subtotal"},
    {IDC_KEY_COMPLEMENT, PushButton, "~", {108, 55, 20, 14}, KEY, "Complement", "Complement operator"},
    {IDC_KEY_XOR, PushButton, "^", {108, 72, 20, 14}, KEY, "Exclusive OR", "Exclusive OR operator"},
    {IDC_KEY_AND, PushButton, "&&", {108, 89, 20, 14}, KEY, "Bitwise AND", "Bitwise AND operator"},
    {IDC_KEY_OR, PushButton, "|", {108, 106, 20, 14}, KEY, "Bitwise OR", "Bitwise OR operator"},
    {IDC_KEY_SHIFT_LEFT, PushButton, "<<", {11, 121, 20, 14}, KEY, "Shift left", "Shift Left operator"},
    {IDC_KEY_SHIFT_RIGHT, PushButton, ">>", {57, 122, 20, 14}, KEY, "Shift right", "Shift Right operator"},
    {IDC_HEX_EDIT, Edit, "", {8, 161, 64, 12}, FIELD, "Hexadecimal", "Type a value in hexadecimal"},
    {IDC_DECIMAL_EDIT, Edit, "", {81, 161, 69, 12}, FIELD, "Decimal", "Type a value in decimal"},
    {IDC_BINARY, Static, "", {6, 187, 149, 19}, STYLE_BORDER | STYLE_CENTER, "Binary", "The value in binary"},
    {IDC_STATIC, Static, "HEX", {35, 150, 16, 8}, LABEL, "", "", IDC_HEX_EDIT},
    {IDC_STATIC, Static, "DECIMAL", {103, 150, 32, 8}, LABEL, "", "", IDC_DECIMAL_EDIT},
    {IDC_STATIC, Static, "BINARY", {61, 177, 39, 8}, LABEL, "", "", IDC_BINARY},
    {IDC_DISPLAY, Static, "0", {21, 21, 99, 8}, STYLE_RIGHT, "Display", "The calculator display"},
    {IDC_KEY_BYTE_ORDER, PushButton, kCaptionMot, {108, 122, 20, 14}, KEY, kByteOrderNameMot, "Switches between big-endian and little-endian byte order"},
    {IDC_KEY_MODULUS, PushButton, "%", {108, 38, 20, 14}, KEY, "Modulus", "Modulus operator"},
});

}  // namespace

const DialogTemplate kForm101{IDD_FORM, nullptr, 162, 211, "MS Sans Serif", 8, kControls};

}  // namespace quibo
