#include "app/PastedText.h"

#include "numtext/Literal.h"

namespace quibo {

std::string PastedText(ControlId control, std::string_view text)
{
    switch (control) {
    case IDC_HEX_EDIT: return DigitsOfLiteral(text, LiteralField::Hex);
    case IDC_DECIMAL_EDIT: return DigitsOfLiteral(text, LiteralField::Decimal);
    default: return std::string(text);
    }
}

}  // namespace quibo
