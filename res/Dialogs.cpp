// The About dialog (100) and the Help Instructions dialog (131).
#include <array>

#include "platform/CommandIds.h"
#include "res/Templates.h"

namespace quibo {

namespace {

using enum ControlKind;

constexpr ControlId IDOK = static_cast<ControlId>(1);
constexpr ControlId IDCANCEL = static_cast<ControlId>(2);

constexpr auto kAbout = std::to_array<ControlTemplate>({
    {IDC_STATIC, Icon, "", {11, 10, 20, 20}, STYLE_NONE},
    {IDC_STATIC, Static, "Quibo Version " QUIBO_VERSION, {42, 14, 80, 8}, STYLE_NONE},
    {IDOK, PushButton, "OK", {133, 7, 50, 14}, STYLE_DEFAULT | STYLE_TABSTOP},
});

constexpr auto kHelp = std::to_array<ControlTemplate>({
    {IDOK, PushButton, "OK", {232, 238, 50, 14}, STYLE_DEFAULT | STYLE_TABSTOP},
    {IDCANCEL, PushButton, "Cancel", {232, 256, 50, 14}, STYLE_TABSTOP},
    {IDC_STATIC, Static,
     "Quibo is divided into two functional sections, Hex Calculator and Hex Converter.", {21, 24, 250, 15},
     STYLE_NONE},
    {IDC_STATIC, Static,
     "The Hex Calculator only functions with integral data types such as Short, Long, and Chars.  It does not "
     "function with Reals such as Floats or Doubles. ",
     {21, 40, 250, 20}, STYLE_NONE},
    {IDC_STATIC, Static,
     "The Hex Converter can convert between Hex and Decimal or Decimal and Hex for all integral types but will "
     "only convert from Decimal to Hex for Real types.",
     {21, 67, 250, 19}, STYLE_NONE},
    {IDC_STATIC, Static,
     "Mot/Int switches between Big Endian (Motorola or Raw) data storage format and Little Endian (Intel) "
     "format.",
     {28, 201, 250, 19}, STYLE_NONE},
    {IDC_STATIC, GroupBox, " Hints and Instructions ", {12, 10, 270, 221}, STYLE_NONE},
    {IDC_STATIC, Icon, "", {31, 249, 21, 20}, STYLE_NONE},
    {IDC_STATIC, Static, "Button Operations :", {22, 90, 92, 8}, STYLE_NONE},
    {IDC_STATIC, Static, "CLR  Clears display to start new calculation", {28, 102, 153, 8}, STYLE_NONE},
    {IDC_STATIC, Static, "%  Modulus operator", {28, 114, 82, 8}, STYLE_NONE},
    {IDC_STATIC, Static, "~ Complement operator", {28, 126, 89, 8}, STYLE_NONE},
    {IDC_STATIC, Static, "^  Exclusive OR operator", {28, 139, 86, 8}, STYLE_NONE},
    {IDC_STATIC, Static, "&&  Bitwise AND operator", {28, 151, 116, 8}, STYLE_NONE},
    {IDC_STATIC, Static, "|  Bitwise OR operator", {28, 163, 116, 8}, STYLE_NONE},
    {IDC_STATIC, Static, "<<  Shift Left operator,  >>  Shift Right operator", {28, 175, 157, 8}, STYLE_NONE},
    {IDC_STATIC, Static, "=  Equal, displays total or subtotal", {28, 188, 157, 8}, STYLE_NONE},
});

}  // namespace

const DialogTemplate kDialog100{IDD_ABOUTBOX, "About Quibo", 190, 55, "MS Sans Serif", 8, kAbout};
const DialogTemplate kDialog131{IDD_HELP, "Quibo Help", 293, 282, "MS Sans Serif", 8, kHelp};

}  // namespace quibo
