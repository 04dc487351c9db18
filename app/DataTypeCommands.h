#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "calc/DataType.h"
#include "platform/CommandIds.h"

namespace quibo {

// One Data Type menu command: its id, the type it selects, and the text it
// leaves in the status bar's message pane.
struct DataTypeCommand {
    CommandId id;
    DataType type;
    const char* statusText;
};

std::span<const DataTypeCommand> DataTypeCommands();
const DataTypeCommand* FindDataTypeCommand(DataType type);
// By the type's name as the menu reads it without its mnemonic.
std::optional<DataType> DataTypeByName(std::string_view name);

}  // namespace quibo
