// The Data Type commands, in menu order: the type each chooses, the status
// text it leaves.
#include "app/DataTypeCommands.h"

#include <array>

namespace quibo {

namespace {

constexpr auto kCommands = std::to_array<DataTypeCommand>({
    {ID_TYPE_UNSIGNED_CHAR, DataType::UnsignedChar, "Unsigned Char Data Type"},
    {ID_TYPE_CHAR, DataType::Char, "Char Data Type"},
    {ID_TYPE_UNSIGNED_SHORT, DataType::UnsignedShort, "Unsigned Short Data Type"},
    {ID_TYPE_SHORT, DataType::Short, "Short Data Type"},
    {ID_TYPE_UNSIGNED_LONG, DataType::UnsignedLong, "Unsigned Long Data Type"},
    {ID_TYPE_LONG, DataType::Long, "Long Data Type"},
    {ID_TYPE_UNSIGNED_LONG_LONG, DataType::UnsignedLongLong, "Unsigned Long Long Data Type"},
    {ID_TYPE_LONG_LONG, DataType::LongLong, "Long Long Data Type"},
    {ID_TYPE_FLOAT, DataType::Float, "Float Data Type"},
    {ID_TYPE_DOUBLE, DataType::Double, "Double Data Type"},
});
static_assert(kCommands.size() == kDataTypes.size(), "a Data Type command for every type");

}  // namespace

std::span<const DataTypeCommand> DataTypeCommands()
{
    return kCommands;
}

const DataTypeCommand* FindDataTypeCommand(DataType type)
{
    for (const DataTypeCommand& command : kCommands) {
        if (command.type == type)
            return &command;
    }
    return nullptr;
}

std::optional<DataType> DataTypeByName(std::string_view name)
{
    for (const DataTypeCommand& command : kCommands) {
        if (FindDataTypeInfo(command.type)->name == name)
            return command.type;
    }
    return std::nullopt;
}

}  // namespace quibo
