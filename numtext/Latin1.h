#pragma once

#include <string>
#include <string_view>

namespace quibo {

// Field texts are single-byte (Latin-1) characters. Script text and
// arguments are UTF-8: a character above U+00FF becomes '?', and a byte that
// is not part of valid UTF-8 stands for the Latin-1 character of its value.
std::string Utf8ToLatin1(std::string_view utf8);

// Appends Latin-1 text to out as UTF-8.
void AppendLatin1AsUtf8(std::string& out, std::string_view latin1);

// What a user gave (UTF-8, or any bytes), quoted for a message on a
// terminal: at most `most` characters, then "..."; control characters,
// bytes that are not UTF-8, '"' and '\' escaped, so nothing the user gave
// can move the cursor or recolour the terminal.
std::string QuotedForMessage(std::string_view text, std::size_t most = 40);

}  // namespace quibo
