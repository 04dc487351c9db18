#pragma once

#include <string>
#include <string_view>

namespace quibo {

// The field a text is pasted into, which decides the forms it reads.
enum class LiteralField { Hex, Decimal };

// A pasted number as code writes it, reduced to its digits. White space
// around the text is dropped; if what remains is one of these forms, only
// its digits come back:
// - Hex: hex digits with single '_', '\'' or blank between them, after
//   "0x" (then an optional C suffix u l ul lu ll ull llu in either case, or
//   a Rust suffix u8..u128, i8..i128, usize, isize, each with an optional
//   '_' before it), or followed by 'h' or 'H' (assembler), or alone;
// - Decimal: an optional sign, decimal digits with single '_' or '\''
//   between them and an optional fraction (or a fraction alone, ".5"), an
//   optional exponent, and an optional suffix (the ones above, f, F, f32,
//   f64), with an optional '_' before it; or "(-N - 1)", as C writes the
//   least value of a signed type, which gives the digits of -N-1.
// Any other text comes back as it is. The result is the text itself, its
// characters in order with some left out, or -N-1; reading it again gives
// it back.
std::string DigitsOfLiteral(std::string_view text, LiteralField field);

}  // namespace quibo
