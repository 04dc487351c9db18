#include "shell/res/DialogTemplate.h"

namespace quibo {

std::string ShownText(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&')
            ++i;
        shown += text[i];
    }
    return shown;
}

std::optional<ControlId> FindPushButton(const DialogTemplate& dialog, std::string_view shownCaption)
{
    for (const ControlTemplate& control : dialog.controls) {
        if (control.kind == ControlKind::PushButton && ShownText(control.text) == shownCaption)
            return control.id;
    }
    return std::nullopt;
}

}  // namespace quibo
