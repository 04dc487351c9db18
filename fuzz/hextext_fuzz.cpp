// Hex text of any bytes, and bit patterns of any value, through the text
// forms: checks the place-value rule and the shape of every rendering, and
// that a real value's text is the shortest that reads back as its bits.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/OperandRecord.h"
#include "numtext/DecimalText.h"
#include "numtext/HexText.h"
#include "numtext/RealText.h"

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

std::size_t Count(const std::string& text, char c)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

// The significant digits of a real value's text.
int SignificantDigits(const std::string& text)
{
    const std::string mantissa = text.substr(0, text.find('e'));
    const std::size_t first = mantissa.find_first_of("123456789");
    int count = 0;
    for (std::size_t i = first; i < mantissa.size(); ++i)
        count += mantissa[i] >= '0' && mantissa[i] <= '9';
    // Zeros that only place the point ("100000") are not significant.
    if (mantissa.find('.') == std::string::npos)
        count -= static_cast<int>(mantissa.size() - 1 - mantissa.find_last_not_of('0'));
    return count;
}

template <typename Real>
void RequireShortestText(Real value, const std::string& text, Real (*read)(const std::string&))
{
    if (std::isnan(value)) {
        Require(text == (std::signbit(value) ? "-nan" : "nan"), "a NaN's text");
        return;
    }
    Require(read(text) == value && std::signbit(read(text)) == std::signbit(value), "the text reads back");
    const int digits = SignificantDigits(text);
    if (std::isinf(value) || value == 0 || digits <= 1)
        return;
    char shorter[64];
    const std::to_chars_result end =
        std::to_chars(shorter, shorter + sizeof shorter, value, std::chars_format::scientific, digits - 2);
    Require(read(std::string(shorter, end.ptr)) != value, "no shorter text reads back");
}

float ReadFloat(const std::string& text)
{
    return static_cast<float>(quibo::ReadDecimalReal(text));
}

double ReadDouble(const std::string& text)
{
    return quibo::ReadDecimalReal(text);
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

    RequireShortestText(f, quibo::FloatText(f), ReadFloat);
    RequireShortestText(d, quibo::DoubleText(d), ReadDouble);
    return 0;
}
