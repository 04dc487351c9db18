#include "hosts/qt/settings/SettingsStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <thread>
#include <tuple>

#include "hosts/qt/settings/SettingsFile.h"

namespace quibo {

namespace {

using Outcome = SettingsStore::Outcome;
using Result = SettingsStore::Result;

Result Failed(std::string problem)
{
    return {Outcome::Failed, std::move(problem)};
}

// One try for the lock: Done when lock holds it.
Result TryLock(const SettingsFolder& folder, Descriptor& lock)
{
    const std::string name = folder.Place().name + ".lock";
    const std::string path = folder.Place().Path() + ".lock";
    const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    struct stat info {};
    for (int tries = 0; !lock.IsOpen() && tries < 3; ++tries) {
        const bool there = fstatat(folder.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
        if (there && !S_ISREG(info.st_mode))
            return Failed(Named(path) + ": not a regular file");
        const bool missing = !there && errno == ENOENT;
        lock = Descriptor(openat(folder.Get(), name.c_str(), flags | (missing ? O_CREAT | O_EXCL : 0), 0666));
        if (!lock.IsOpen() && errno != (missing ? EEXIST : ENOENT))
            return Failed(Named(path) + ": cannot lock: " + std::strerror(errno));
    }
    if (!lock.IsOpen() || fstat(lock.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return Failed(Named(path) + ": not a regular file");
    if (flock(lock.Get(), LOCK_EX | LOCK_NB) == 0)
        return {};
    if (errno == EWOULDBLOCK)
        return {Outcome::Busy, Named(path) + ": held by another process"};
    return Failed(Named(path) + ": cannot lock: " + std::strerror(errno));
}

// Tries until the lock is had or the wait is given up.
Result WaitForLock(const SettingsFolder& folder, Descriptor& lock, const Pause& pause)
{
    using Clock = std::chrono::steady_clock;
    // What shows that the holders write in turn: the file's identity.
    const auto look = [&] {
        struct stat info {};
        if (fstatat(folder.Get(), folder.Place().name.c_str(), &info, 0) != 0)
            info = {};
        return std::make_tuple(info.st_ino, info.st_size, info.st_ctim.tv_sec, info.st_ctim.tv_nsec);
    };
    const std::string path = Named(folder.Place().Path() + ".lock") + ": cannot lock: ";
    std::minstd_rand random(static_cast<unsigned>(getpid()));
    const Clock::time_point start = Clock::now();
    Clock::time_point since = start;
    auto seen = look();
    for (;;) {
        Result result = TryLock(folder, lock);
        const Clock::time_point now = Clock::now();
        if (result.outcome != Outcome::Busy)
            return result;
        if (const auto changed = look(); changed != seen) {
            seen = changed;
            since = now;
        }
        if (now - since >= std::chrono::milliseconds(SettingsStore::kHolderPatienceMs))
            return {Outcome::Busy, path + "held by another process for 0.5 s"};
        if (now - start >= std::chrono::milliseconds(SettingsStore::kPatienceMs))
            return {Outcome::Busy, path + "taken by other processes in turn for 20 s"};
        if (!pause(std::uniform_int_distribution(2, 25)(random)))
            return {Outcome::Busy, path + "held by another process; a signal came"};
    }
}

}  // namespace

bool Sleep(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return true;
}

std::optional<std::string> SettingsStore::Read(std::string& text) const
{
    text.clear();
    const SettingsFolder folder(m_place, SettingsFolder::Make::No);
    if (!folder.IsOpen())
        return folder.Problem().empty() ? std::nullopt : std::optional(folder.Problem());
    const SettingsFile file(folder);
    if (!file.Problem().empty())
        return file.Problem();
    text = file.Text();
    return std::nullopt;
}

SettingsStore::Result SettingsStore::Change(const Edit& edit, const Pause* pause) const
{
    const SettingsFolder folder(m_place, SettingsFolder::Make::Yes);
    if (!folder.IsOpen())
        return Failed(folder.Problem());
    Descriptor lock;
    if (Result locked = pause ? WaitForLock(folder, lock, *pause) : TryLock(folder, lock);
        locked.outcome != Outcome::Done)
        return locked;
    // Read again: another instance may have written since.
    const SettingsFile file(folder);
    if (!file.Problem().empty())
        return Failed(file.Problem());
    const std::optional<std::string> text = edit(file.Text());
    if (!text)
        return Failed(Named(m_place.Path()) + ": cannot be edited: it ends in an open quote or escape");
    if (*text == file.Text())
        return {};
    if (std::optional<std::string> problem = file.Replace(*text))
        return Failed(*problem);
    return {};
}

}  // namespace quibo
