#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/DialogTemplate.h"

namespace quibo {

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
