// Hex text of any bytes, and bit patterns of any value, through the text
// forms: checks the place-value rule and the shape of every rendering.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/OperandRecord.h"
#include "numtext/HexText.h"

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        __builtin_printf("broken: %s\n", what);
        std::abort();
    }
}

std::size_t Count(const std::string& text, char c)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using quibo::HexTextToValue;
    using quibo::OperandRecord;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::uint64_t value = HexTextToValue(text);
    const std::string tail = text.size() > 16 ? text.substr(text.size() - 16) : text;
    Require(value == HexTextToValue(tail), "only the last sixteen places count");
    Require(HexTextToValue(text + "0") == value << 4, "a digit appended shifts by four bits");

    OperandRecord record;
    const std::string mot64 = record.BinaryTextLongLong(value);
    Require(mot64.size() == 79 && mot64[39] == '\n' && Count(mot64, '\n') == 1, "64-bit Mot text");
    Require(record.m_strBinInt.size() == 81 && Count(record.m_strBinInt, '\n') == 1, "64-bit Int text");
    Require(record.BinaryTextULong(static_cast<std::uint32_t>(value)).size() == 39, "32-bit Mot text");
    Require(record.m_strBinInt.size() == 40, "32-bit Int text");
    Require(record.BinaryTextChar(static_cast<std::uint32_t>(value)).size() == 9, "8-bit Mot text");

    std::uint64_t pattern = 0;
    std::memcpy(&pattern, data, std::min(size, sizeof pattern));
    float f;
    double d;
    std::memcpy(&f, &pattern, sizeof f);
    std::memcpy(&d, &pattern, sizeof d);
    Require(record.BinaryTextFloat(f).size() == 40 && record.m_strRealBinMot.size() == 40, "float texts");
    const std::string in = record.BinaryTextDouble(d);
    Require(in.size() == 82 && Count(in, '\n') == 2, "double Int text");
    Require(record.m_strRealBinMot.size() == 81 && Count(record.m_strRealBinMot, '\n') == 1, "double Mot text");
    return 0;
}
