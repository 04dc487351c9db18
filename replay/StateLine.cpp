#include "replay/StateLine.h"

#include "numtext/Latin1.h"

namespace quibo {

void AppendJsonString(std::string& out, std::string_view latin1)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t plain = 0;  // start of the run not yet written
    for (std::size_t i = 0; i < latin1.size(); ++i) {
        const auto c = static_cast<unsigned char>(latin1[i]);
        if (c >= 0x20u && c != '"' && c != '\\')
            continue;
        AppendLatin1AsUtf8(out, latin1.substr(plain, i - plain));
        plain = i + 1;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xFu];
        }
    }
    AppendLatin1AsUtf8(out, latin1.substr(plain));
    out += '"';
}

void AppendStateLine(std::string& out, const FormState& state)
{
    const auto member = [&out](const char* name, const std::string& value) {
        out += name;
        AppendJsonString(out, value);
    };
    member("{\"display\":", state.display);
    member(",\"hex\":", state.hex);
    member(",\"decimal\":", state.decimal);
    member(",\"binary\":", state.binary);
    member(",\"byteorder\":", state.byteorder);
    member(",\"datatype\":", state.datatype);
    member(",\"status\":", state.status);
    out += ",\"messages\":[";
    for (std::size_t i = 0; i < state.messages.size(); ++i) {
        member(i == 0 ? "{\"caption\":" : ",{\"caption\":", state.messages[i].caption);
        member(",\"text\":", state.messages[i].text);
        out += '}';
    }
    out += ']';
    member(",\"wrap\":", state.wrap);
    out += '}';
}

void AppendErrorLine(std::string& out, std::size_t lineNumber, std::string_view message)
{
    out += "{\"error\":";
    AppendJsonString(out, "line " + std::to_string(lineNumber) + ": " + std::string(message));
    out += '}';
}

}  // namespace quibo
