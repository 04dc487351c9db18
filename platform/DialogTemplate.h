#pragma once

#include <span>

#include "platform/ControlIds.h"

namespace quibo {

// A dialog template's shape: what a host builds a form or dialog from.
enum class ControlKind { PushButton, Edit, Static, GroupBox, Icon };

// Style bits a template gives a control, beyond child and visible.
enum ControlStyle : unsigned {
    STYLE_NONE = 0,
    STYLE_TABSTOP = 1u << 0,
    STYLE_BORDER = 1u << 1,
    STYLE_CENTER = 1u << 2,      // text centred
    STYLE_RIGHT = 1u << 3,       // text right-aligned
    STYLE_DEFAULT = 1u << 4,     // the default push button
};

// Position and size in dialog units.
struct DialogRect {
    int x;
    int y;
    int cx;
    int cy;
};

struct ControlTemplate {
    ControlId id;
    ControlKind kind;
    const char* text;  // as in the template: "&&" shows as "&"
    DialogRect rect;
    unsigned style;
    // What a screen reader says; empty where the text says it already.
    const char* accessibleName = "";
    const char* accessibleDescription = "";
    // For a caption: the control it names.
    ControlId labels = IDC_STATIC;
};

struct DialogTemplate {
    int resourceId;
    const char* caption;  // nullptr for a form without caption
    int cx;
    int cy;
    const char* fontName;
    int fontPointSize;
    std::span<const ControlTemplate> controls;  // template order = tab order
};

}  // namespace quibo
