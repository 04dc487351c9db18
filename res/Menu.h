#pragma once

#include <span>

namespace quibo {

// One line of a menu template: a popup (id 0) or an item, at its depth
// (0 for the menu bar's popups).
struct MenuEntry {
    int depth;
    const char* text;  // "&" marks the mnemonic
    int id;
};

// The main frame's menu, resource 128, in order.
std::span<const MenuEntry> Menu128();

// Virtual-key codes of the accelerator table, as the table names them.
enum VirtualKey : int {
    VK_BACK = 0x08,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F6 = 0x75,
};

enum AcceleratorModifier : unsigned {
    FNONE = 0,
    FCONTROL = 1u << 0,
    FSHIFT = 1u << 1,
    FALT = 1u << 2,
};

struct Accelerator {
    int key;  // a letter's character, or a VirtualKey
    unsigned modifiers;
    int command;
};

// The accelerator table, resource 128, in order.
std::span<const Accelerator> Accelerators128();

}  // namespace quibo
