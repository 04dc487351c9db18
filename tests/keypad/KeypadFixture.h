#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "res/Templates.h"
#include "hosts/headless/HeadlessApp.h"

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

// A started Quibo on the headless host, driven as a user drives it.
class KeypadTest : public ::testing::Test {
protected:
    HeadlessApp& App() { return *m_app; }
    // Starts Quibo afresh, so that the next case starts from the same state.
    void Restart() { m_app = std::make_unique<HeadlessApp>(); }

    void Use(DataType type) { App().Document().m_nDataType = type; }

    // Clicks keys named by their captions, separated by blanks.
    void Press(const std::string& keys)
    {
        std::istringstream words(keys);
        std::string key;
        while (words >> key) {
            const auto id = FindKeypadKey(key);
            ASSERT_TRUE(id.has_value()) << "no key " << key;
            App().Form().Click(*id);
        }
    }

    // Clicks into a field, empties it and types text, as a user would.
    void TypeInto(ControlId field, const std::string& text)
    {
        ASSERT_TRUE(App().Form().Focus(field));
        App().Form().ClearField();
        App().Form().Type(text);
    }

    void Choose(const char* typeName) { ASSERT_TRUE(App().ChooseDataType(typeName)) << typeName; }
    std::size_t MessageCount() { return App().Form().Messages().size(); }

    std::string Text(ControlId id) { return App().Form().GetDlgItemText(id); }
    std::string Display() { return Text(IDC_DISPLAY); }
    std::string Hex() { return Text(IDC_HEX_EDIT); }
    std::string Decimal() { return Text(IDC_DECIMAL_EDIT); }
    std::string Binary() { return Text(IDC_BINARY); }
    Shown Fields() { return {Display(), Hex(), Decimal(), Binary()}; }

    const CBytewhirlDoc& Doc() { return App().Document(); }

private:
    std::unique_ptr<HeadlessApp> m_app = std::make_unique<HeadlessApp>();
};

inline constexpr const char kZeros32[] = "0000 0000 0000 0000 0000 0000 0000 0000";

}  // namespace quibo
