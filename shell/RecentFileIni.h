#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quibo {

// The recent-file list in the text of the settings file, an INI file as
// Qt's settings store writes it: section "Recent File List" (written
// "[Recent%20File%20List]"), keys File1 to File4. Names are the system's
// bytes: one that is valid UTF-8 is stored as text, any other as
// "@ByteArray(...)", each escaped as the store escapes it.

// The names of File1 to File4, in that order, skipping empty and unreadable
// values.
std::vector<std::string> ReadRecentFileSection(std::string_view ini);

// The same text with the section's FileN keys replaced by files (File1 the
// first); every other line stays as it was, byte for byte. A missing
// section is added at the end (at the start, followed by "[General]", when
// the text ends inside quotes, which would take it in).
std::string WriteRecentFileSection(std::string_view ini, const std::vector<std::string>& files);

// One value, as the store writes and reads it.
std::string EncodeIniValue(std::string_view name);
// The bytes a value stands for; empty for a list or any other kind.
std::string DecodeIniValue(std::string_view value);

}  // namespace quibo
