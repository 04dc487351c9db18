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

// The text with each character beyond Latin-1 as one '?', a pair of
// surrogates included; position, a place in text, moves with it.
inline QString InLatin1Places(const QString& text, qsizetype* position = nullptr)
{
    QString places;
    places.reserve(text.size());
    qsizetype pairsBefore = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair && position && *position > i + 1)
            ++pairsBefore;
        places += c.unicode() <= 0xFF ? c : QChar('?');
        if (pair)
            ++i;
    }
    if (position)
        *position -= pairsBefore;
    return places;
}

inline std::string FromQString(const QString& text)
{
    return InLatin1Places(text).toLatin1().toStdString();
}

}  // namespace quibo
