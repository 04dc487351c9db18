#include "res/Templates.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "res/Texts.h"

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

// Whether a template text shows as the caption, without building it or
// measuring it first: most texts differ at their first character.
bool ShowsAs(const char* text, std::string_view caption, bool ignoreCase)
{
    std::size_t at = 0;
    for (const char* c = text; *c != '\0'; ++c, ++at) {
        if (c[0] == '&' && c[1] == '&')
            ++c;
        if (at >= caption.size() || Folded(caption[at], ignoreCase) != Folded(*c, ignoreCase))
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
    // Most keys are named by one character: those are looked up directly.
    static const std::array<std::int16_t, 256> kByCharacter = [] {
        std::array<std::int16_t, 256> keys{};
        keys.fill(-1);
        for (const ControlTemplate& control : kForm101.controls) {
            const std::string shown = ShownText(control.text);
            auto& key = keys[static_cast<unsigned char>(shown.empty() ? '\0' : shown.front())];
            // The first in the template, as FindPushButton finds it.
            if (control.kind == ControlKind::PushButton && shown.size() == 1 && key < 0)
                key = static_cast<std::int16_t>(control.id);
        }
        return keys;
    }();
    if (caption.size() == 1 && !ignoreCase) {
        const std::int16_t key = kByCharacter[static_cast<unsigned char>(caption.front())];
        return key < 0 ? std::nullopt : std::optional<ControlId>(static_cast<ControlId>(key));
    }
    // The keys of longer captions as they show, in template order.
    static const std::vector<std::pair<std::string, ControlId>> kLonger = [] {
        std::vector<std::pair<std::string, ControlId>> keys;
        for (const ControlTemplate& control : kForm101.controls) {
            if (control.kind == ControlKind::PushButton && ShownText(control.text).size() > 1)
                keys.emplace_back(ShownText(control.text), control.id);
        }
        return keys;
    }();
    if (!ignoreCase) {
        if (caption == kCaptionMot || caption == kCaptionInt)
            return IDC_KEY_BYTE_ORDER;
        for (const auto& [shown, id] : kLonger) {
            if (shown == caption)
                return id;
        }
        return std::nullopt;
    }
    for (const char* byteOrder : {kCaptionMot, kCaptionInt}) {
        if (ShowsAs(byteOrder, caption, ignoreCase))
            return IDC_KEY_BYTE_ORDER;
    }
    return FindPushButton(kForm101, caption, ignoreCase);
}

}  // namespace quibo
