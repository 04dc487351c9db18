#pragma once

#include <functional>
#include <optional>
#include <string>

class QSettings;

namespace quibo {

// Lets read look at text through Qt's settings store, as the INI file it
// is, without a file on disk: the text is in memory that only this process
// reaches. The reason when the store cannot be given it.
std::optional<std::string> ReadSettingsText(const std::string& text, const std::function<void(QSettings&)>& read);

}  // namespace quibo
