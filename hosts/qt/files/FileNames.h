#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quibo {

// File names on this system are bytes. The program keeps them as bytes and
// decodes them, with the system's file-name encoding, only to show them.

// A name (or a text holding one) as the desktop shows it: bytes that are
// not valid in the encoding show as replacement characters.
QString DisplayName(std::string_view bytes);

// The bytes of a name that a file prompt gave. A prompt holds names as
// decoded text, which loses bytes that the encoding cannot decode; each
// part of the path that does not exist as encoded is looked up in its
// folder among the names that show the same.
std::string NativeName(const QString& name);

// The absolute form of a path, without "." and ".." parts or repeated
// slashes; symbolic links are kept.
std::string AbsolutePath(std::string_view path);

}  // namespace quibo
