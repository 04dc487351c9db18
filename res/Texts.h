#pragma once

namespace quibo {

// Texts the handlers write, used exactly as they stand.
inline constexpr const char kErrorCaption[] = "ERROR";
inline constexpr const char kMustSelectIntegral[] = "Must select Integral Data Type for this function.";
inline constexpr const char kCantConvertRealToIntegral[] =
    "Can't convert from Real to Integral,\nclearing display first.";

// Captions of the byte-order key, by m_nByteOrder, and what a screen reader
// says for each.
inline constexpr const char kCaptionMot[] = "Mot";
inline constexpr const char kCaptionInt[] = "Int";
inline constexpr const char kByteOrderNameMot[] = "Byte order: Motorola (big-endian)";
inline constexpr const char kByteOrderNameInt[] = "Byte order: Intel (little-endian)";

// The context menus' item that copies a value as code writes it.
inline constexpr const char kCopyAsCode[] = "Copy as C&ode";

}  // namespace quibo
