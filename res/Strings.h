#pragma once

#include <string>

namespace quibo {

// The string table: the text of a string id, or nullptr when the table has
// none.
const char* LoadString(int id);

// The prompt of a command for the status bar: its string up to the first
// line break; empty when the table has none.
std::string CommandPrompt(int id);

// Framework texts used by name.
inline constexpr const char kFailedToOpen[] = "Failed to open document.";
inline constexpr const char kNotFound[] = "%1 was not found.";
inline constexpr const char kFailedToSave[] = "Failed to save document.";
inline constexpr const char kAllFilesFilter[] = "All Files (*.*)";

}  // namespace quibo
