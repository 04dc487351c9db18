#pragma once

#include <string>
#include <vector>

namespace quibo {

// What the Inspector shows: the converter's value read as every type of its
// width, a row each, in the value's byte order ("Mot") and the other
// ("Int", none at 8 bits).
struct InspectorRow {
    std::string name;
    std::string mot;
    std::string in;

    bool operator==(const InspectorRow&) const = default;
};

struct InspectorTable {
    int widthBits = 0;  // 8, 16, 32 or 64; 0 before the first value
    std::vector<InspectorRow> rows;

    bool HasIntColumn() const { return widthBits > 8; }
    bool operator==(const InspectorTable&) const = default;
};

}  // namespace quibo
