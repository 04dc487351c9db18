#pragma once

#include <optional>

namespace quibo {

struct LockKeys {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock keys' state as the X server's keyboard extension reports it;
// nothing where the platform cannot tell (not X11).
std::optional<LockKeys> ReadLockKeys();

}  // namespace quibo
