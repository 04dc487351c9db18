#pragma once

namespace quibo {

// Notification codes a control sends to its form. The values are the Win32
// ones so that a trace reads like the platform the program was shaped on.
enum Notification : int {
    BN_CLICKED = 0x0000,    // a push button was clicked
    EN_SETFOCUS = 0x0100,   // an edit gained the keyboard focus
    EN_KILLFOCUS = 0x0200,  // an edit lost the keyboard focus
    EN_UPDATE = 0x0400,     // an edit's text changed, typed or set by the program
};

}  // namespace quibo
