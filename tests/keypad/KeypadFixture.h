#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "shell/headless/HeadlessApp.h"

namespace quibo {

// What the user sees of the calculator: the display and the converter fields.
struct Shown {
    std::string display;
    std::string hex;
    std::string decimal;
    std::string binary;
    bool operator==(const Shown&) const = default;
};

inline void PrintTo(const Shown& s, std::ostream* os)
{
    *os << "{display \"" << s.display << "\", hex \"" << s.hex << "\", decimal \"" << s.decimal
        << "\", binary \"" << s.binary << "\"}";
}

// A started Quibo on the headless host, driven by key captions.
class KeypadTest : public ::testing::Test {
protected:
    void Use(DataType type) { app.Document().m_nDataType = type; }

    // Clicks keys named by their captions, separated by blanks.
    void Press(const std::string& keys)
    {
        std::istringstream words(keys);
        std::string key;
        while (words >> key) {
            const auto id = app.Form().FindKey(key);
            ASSERT_TRUE(id.has_value()) << "no key " << key;
            app.Form().Click(*id);
        }
    }

    std::string Text(ControlId id) { return app.Form().GetDlgItemText(id); }
    std::string Display() { return Text(IDC_DISPLAY); }
    std::string Hex() { return Text(IDC_HEX_EDIT); }
    std::string Decimal() { return Text(IDC_DECIMAL_EDIT); }
    std::string Binary() { return Text(IDC_BINARY); }
    Shown Fields() { return {Display(), Hex(), Decimal(), Binary()}; }

    const CBytewhirlDoc& Doc() { return app.Document(); }

    HeadlessApp app;
};

inline constexpr const char kZeros32[] = "0000 0000 0000 0000 0000 0000 0000 0000";

}  // namespace quibo
