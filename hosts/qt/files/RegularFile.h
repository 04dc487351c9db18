#pragma once

#include <string>

#include "platform/AppPlatform.h"

namespace quibo {

// Documents are regular files, and only regular files are opened: opening a
// FIFO waits for a writer and takes what it writes, opening a device may
// make it act. The look comes first, the open does not block, should a FIFO
// take the file's place meanwhile, and what was opened is looked at again.

// Opened for reading and closed again; nothing is read.
OpenResult OpenDocument(const std::string& path);
// Empties a regular file, or makes a new one; touches nothing else.
bool CreateEmptyDocument(const std::string& path);

}  // namespace quibo
