#pragma once

namespace quibo {

// Menu and accelerator command ids, fixed by the menu template.
enum CommandId : int {
    ID_TYPE_UNSIGNED_CHAR = 32771,
    ID_TYPE_CHAR = 32772,
    ID_TYPE_UNSIGNED_SHORT = 32773,
    ID_TYPE_SHORT = 32774,
    ID_TYPE_UNSIGNED_LONG = 32775,
    ID_TYPE_LONG = 32776,
    ID_TYPE_FLOAT = 32777,
    ID_TYPE_DOUBLE = 32778,
    ID_FILE_NEW = 57600,
};

}  // namespace quibo
