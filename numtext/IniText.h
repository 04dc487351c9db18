#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quibo {

// Settings text in the INI format of Qt's settings store, read as that store
// reads it and edited so that it reads back what was stored: each program
// reads what the other writes. An edit changes only the keys it names;
// every other byte of the text stays where it was.

// A value as Qt's store gives it back: text (a QString, here as UTF-8),
// bytes (a QByteArray, "@ByteArray(...)" in the file), or anything else (a
// list, a number, a value Qt could not read).
struct IniValue {
    enum class Kind { Text, Bytes, Other };
    Kind kind = Kind::Other;
    std::string bytes;  // Text: UTF-8; Bytes: as they are; Other: empty

    bool operator==(const IniValue&) const = default;
};

// bytes as the store keeps a file name: as text when Qt gives the same bytes
// back from the text, else as bytes.
IniValue IniValueOf(std::string bytes);

// The value of key in group ("" is Qt's General) as Qt's store reads it:
// the last one given in the group's sections; nothing when none is.
std::optional<IniValue> ReadIniValue(std::string_view ini, std::string_view group, std::string_view key);

struct IniKeyEdit {
    std::string key;
    std::optional<IniValue> value;  // nothing removes the key
};

// ini with the keys of group set as edits say. A key's last line takes the
// new value in place and its other lines go; a new key follows the group's
// last line; a new group ends the text. Nothing when the result would not
// read back as edits say (a quote or a backslash left open at the end).
std::optional<std::string> EditIni(std::string_view ini, std::string_view group, const std::vector<IniKeyEdit>& edits);

}  // namespace quibo
