#include "shell/res/Templates.h"

#include "shell/res/Texts.h"

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

char Folded(char c, bool ignoreCase)
{
    return ignoreCase && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether a template text shows as the caption, without building it.
bool ShowsAs(std::string_view text, std::string_view caption, bool ignoreCase)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < text.size(); ++i, ++at) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&')
            ++i;
        if (at >= caption.size() || Folded(caption[at], ignoreCase) != Folded(text[i], ignoreCase))
            return false;
    }
    return at == caption.size();
}

}  // namespace

const char* ByteOrderAccessibleName(std::string_view caption)
{
    return caption == kCaptionInt ? kByteOrderNameInt : kByteOrderNameMot;
}

std::optional<ControlId> FindPushButton(const DialogTemplate& dialog, std::string_view shownCaption,
                                        bool ignoreCase)
{
    for (const ControlTemplate& control : dialog.controls) {
        if (control.kind == ControlKind::PushButton && ShowsAs(control.text, shownCaption, ignoreCase))
            return control.id;
    }
    return std::nullopt;
}

std::optional<ControlId> FindKeypadKey(std::string_view caption, bool ignoreCase)
{
    for (std::string_view byteOrder : {kCaptionMot, kCaptionInt}) {
        if (ShowsAs(byteOrder, caption, ignoreCase))
            return IDC_KEY_BYTE_ORDER;
    }
    return FindPushButton(kForm101, caption, ignoreCase);
}

}  // namespace quibo
