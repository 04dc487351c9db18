#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shell/platform/ControlIds.h"

namespace quibo {

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

// The calculator form, the About dialog and the Help Instructions dialog.
extern const DialogTemplate kForm101;
extern const DialogTemplate kDialog100;
extern const DialogTemplate kDialog131;

// The push button of a template whose caption, as shown ("&&" as "&"), is
// the given text; with ignoreCase, in either case.
std::optional<ControlId> FindPushButton(const DialogTemplate& dialog, std::string_view shownCaption,
                                        bool ignoreCase = false);

// The keypad key a user names by its caption as shown ("&" for the "&&"
// key), the byte-order key by either of its captions whatever it shows.
std::optional<ControlId> FindKeypadKey(std::string_view caption, bool ignoreCase = false);

// The byte-order key's accessible name for a caption ("Mot" or "Int").
const char* ByteOrderAccessibleName(std::string_view caption);

// A template text as shown: "&&" is one "&".
std::string ShownText(std::string_view text);

}  // namespace quibo
