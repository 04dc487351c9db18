#include "cli/FieldText.h"

#include <array>
#include <string_view>

#include "numtext/Latin1.h"

namespace quibo {

namespace {

constexpr std::string_view kIndent = "         ";  // the width of "decimal  "

void AppendField(std::string& out, std::string_view label, std::string_view text)
{
    std::string_view line;
    bool first = true;
    while (first || !text.empty()) {
        const std::size_t end = text.find('\n');
        line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        while (!line.empty() && line.back() == ' ')
            line.remove_suffix(1);

        std::string head = first ? std::string(label) : std::string();
        if (!line.empty())
            head.resize(kIndent.size(), ' ');
        out += head;
        AppendLatin1AsUtf8(out, line);
        out += '\n';
        first = false;
    }
}

}  // namespace

std::string FieldText(const FormState& state)
{
    std::string out;
    AppendField(out, "display", state.display);
    AppendField(out, "hex", state.hex);
    AppendField(out, "decimal", state.decimal);
    AppendField(out, "binary", state.binary);
    if (!state.wrap.empty())
        AppendField(out, "wrap", state.wrap);
    return out;
}

}  // namespace quibo
