#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quibo {

// Texts cross into the toolkit as Latin-1; a character beyond it comes back
// as '?'.
inline QString ToQString(std::string_view latin1)
{
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}

inline std::string FromQString(const QString& text)
{
    std::string latin1;
    latin1.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        latin1 += c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?';
    return latin1;
}

}  // namespace quibo
