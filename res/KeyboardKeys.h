#pragma once

#include <optional>

#include "platform/ControlIds.h"

namespace quibo {

// The keyboard keys that press a keypad key while no field has the focus.
struct KeyboardKey {
    const char* characters;  // typing any of these presses the key
    ControlId key;
    const char* name;        // the keyboard key, as a tooltip names it
};

inline constexpr char kEscapeCharacter = '\x1b';
inline constexpr char kEnterCharacter = '\r';  // Return and the keypad's Enter

// The keypad key a typed character presses (kEscapeCharacter for Escape,
// kEnterCharacter for Return and Enter).
std::optional<ControlId> KeypadKeyForCharacter(char32_t character);

// The keyboard key that presses a keypad key; nullptr for a key without one.
const char* KeyboardKeyName(ControlId key);

}  // namespace quibo
