#include <bit>
#include <cstdint>

#include "calc/OperandRecord.h"

namespace quibo {

std::string OperandRecord::RenderIntegral(std::uint32_t value, int widthBits)
{
    // Raw bits: bit 0 first.
    std::string raw(static_cast<std::size_t>(widthBits), '0');
    for (int i = 0; i < widthBits; ++i) {
        if ((value >> i) & 1u)
            raw[static_cast<std::size_t>(i)] = '1';
    }

    // Mot: most significant bit first, groups of four, no trailing blank.
    std::string mot;
    mot.reserve(raw.size() + raw.size() / 4);
    for (int i = widthBits - 1; i >= 0; --i) {
        mot += raw[static_cast<std::size_t>(i)];
        if (i % 4 == 0 && i != 0)
            mot += ' ';
    }

    m_strRawBits = raw;
    m_strBinMot = mot;
    m_strBinInt = SwappedByteGroups(raw);
    return mot;
}

std::string OperandRecord::RenderReal(std::uint64_t pattern, int byteCount)
{
    // Raw bits: byte N-1 (sign and exponent) down to byte 0, each bit 0 first.
    std::string raw;
    raw.reserve(static_cast<std::size_t>(byteCount) * 8);
    for (int byte = byteCount - 1; byte >= 0; --byte) {
        for (int bit = 0; bit < 8; ++bit)
            raw += ((pattern >> (byte * 8 + bit)) & 1u) ? '1' : '0';
    }

    // Int: the raw string reversed, i.e. memory order with bit 7 first; a
    // blank after every four bits and, for a double, a line break after each
    // half of four bytes.
    std::string in;
    in.reserve(raw.size() + raw.size() / 4 + 2);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        in += raw[raw.size() - 1 - i];
        const std::size_t count = i + 1;
        if (count % 4 == 0)
            in += ' ';
        if (byteCount == 8 && count % 32 == 0)
            in += '\n';
    }

    m_strRawBits = raw;
    m_strRealBinInt = in;
    m_strRealBinMot = SwappedByteGroups(raw);
    return in;
}

std::string OperandRecord::SwappedByteGroups(const std::string& rawBits)
{
    const std::string r(rawBits.rbegin(), rawBits.rend());
    const std::size_t n = r.size();
    std::string text;
    text.reserve(n + n / 4 + 1);
    for (std::size_t k = 0; k < n / 8; ++k) {
        if (k == 4)
            text += '\n';
        const std::size_t start = n - 8 * (k + 1);
        text.append(r, start, 4);
        text += ' ';
        text.append(r, start + 4, 4);
        text += ' ';
    }
    return text;
}

std::string OperandRecord::BinaryTextUChar(std::uint32_t value) { return RenderIntegral(value, 8); }
std::string OperandRecord::BinaryTextChar(std::uint32_t value) { return RenderIntegral(value, 8); }
std::string OperandRecord::BinaryTextUShort(std::uint32_t value) { return RenderIntegral(value, 16); }
std::string OperandRecord::BinaryTextShort(std::uint32_t value) { return RenderIntegral(value, 16); }
std::string OperandRecord::BinaryTextULong(std::uint32_t value) { return RenderIntegral(value, 32); }
std::string OperandRecord::BinaryTextLong(std::uint32_t value) { return RenderIntegral(value, 32); }

std::string OperandRecord::BinaryTextFloat(float value)
{
    return RenderReal(std::bit_cast<std::uint32_t>(value), 4);
}

std::string OperandRecord::BinaryTextDouble(double value)
{
    return RenderReal(std::bit_cast<std::uint64_t>(value), 8);
}

std::string OperandRecord::BinaryTextIntegral(DataType nType, std::uint32_t value)
{
    switch (nType) {
    case DataType::UnsignedChar: return BinaryTextUChar(value);
    case DataType::Char: return BinaryTextChar(value);
    case DataType::UnsignedShort: return BinaryTextUShort(value);
    case DataType::Short: return BinaryTextShort(value);
    case DataType::UnsignedLong: return BinaryTextULong(value);
    case DataType::Long: return BinaryTextLong(value);
    default: return {};
    }
}

}  // namespace quibo
