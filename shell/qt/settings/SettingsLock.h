#pragma once

#include <sys/types.h>

#include <ctime>
#include <functional>
#include <string>

#include "shell/qt/settings/Descriptor.h"
#include "shell/qt/settings/SettingsFolder.h"

namespace quibo {

// Sleeps for up to the milliseconds given; false when the wait is to end
// (a signal came).
using Pause = std::function<bool(int milliseconds)>;
// A pause that only sleeps.
bool Sleep(int milliseconds);

// The lock on a settings file: NAME.lock beside it, held with flock() on a
// descriptor of its own. Qt's QLockFile (Qt's settings store, other Qt
// programs) uses the same file: it makes it only when it is not there,
// holds it with flock() and writes its process, program and host into it,
// so each keeps the other out. A lock file is opened without following a
// link and without blocking, and read only when it is a regular file, a
// few lines at most. One that nobody holds is judged as QLockFile judges
// it: stale when the process it names is gone from this host or runs
// another program, or when it is 30 s old; without its lines yet, it
// passes for held for 2 s. So the moments between QLockFile's making the
// file and holding it, and between letting it go and removing it, are not
// taken for a stale lock.
class SettingsLock {
public:
    enum class State { Held, Busy, Failed };

    // How long a wait lasts: while the lock changes hands (a crowd of
    // instances closing together), up to kPatienceMs in all; while one
    // holder keeps it, kHolderPatienceMs.
    static constexpr int kPatienceMs = 20000;
    static constexpr int kHolderPatienceMs = 500;

    explicit SettingsLock(const SettingsFolder& folder);
    ~SettingsLock();
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

    // One try; never waits.
    State Try();
    // Tries until the lock is had or the wait is given up (see above), with
    // pause between the tries.
    State Wait(const Pause& pause);
    // Why the lock is not held: who holds it, or what failed.
    const std::string& Problem() const { return m_problem; }

private:
    // Who holds the lock, as far as the lock file says.
    struct Holder {
        dev_t device = 0;
        ino_t inode = 0;
        timespec changed{};
        std::string who;
        bool operator==(const Holder& other) const;
    };
    State Fail(std::string problem);
    State Busy(Holder holder);
    // What the lock file open at fd says of its holder, and whether that
    // holder is gone.
    Holder HolderOf(int fd, const struct stat& info, bool& stale) const;

    const SettingsFolder& m_folder;
    std::string m_name;
    std::string m_path;
    quibo::Descriptor m_fd;
    Holder m_holder;
    std::string m_problem;
};

}  // namespace quibo
