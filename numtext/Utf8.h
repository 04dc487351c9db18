#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quibo {

// The length of the well-formed UTF-8 sequence at text[i], with its code
// point; 0 when the byte there does not start one (overlong forms,
// surrogates and anything beyond U+10FFFF are not well-formed).
std::size_t DecodeUtf8(std::string_view text, std::size_t i, std::uint32_t& codePoint);

// Whether all of text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

// Appends a code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, std::uint32_t codePoint);

}  // namespace quibo
