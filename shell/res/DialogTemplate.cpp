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

namespace {

// Whether a template text shows as the caption, without building it.
bool ShowsAs(std::string_view text, std::string_view caption)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < text.size(); ++i, ++at) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&')
            ++i;
        if (at >= caption.size() || caption[at] != text[i])
            return false;
    }
    return at == caption.size();
}

}  // namespace

const char* ByteOrderAccessibleName(std::string_view caption)
{
    return caption == "Int" ? "Byte order: Intel (little-endian)" : "Byte order: Motorola (big-endian)";
}

std::optional<ControlId> FindPushButton(const DialogTemplate& dialog, std::string_view shownCaption)
{
    for (const ControlTemplate& control : dialog.controls) {
        if (control.kind == ControlKind::PushButton && ShowsAs(control.text, shownCaption))
            return control.id;
    }
    return std::nullopt;
}

}  // namespace quibo
