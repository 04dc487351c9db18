#include "shell/qt/SettingsLock.h"

#include <QRandomGenerator>
#include <QString>
#include <QSysInfo>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <thread>

#include "shell/qt/RegularFile.h"

namespace quibo {

namespace {

constexpr int kShortestPauseMs = 2;
constexpr int kLongestPauseMs = 25;
// A lock file that nobody holds is removed and made anew; this many times
// in a row means something else keeps making and removing it.
constexpr int kRounds = 16;
// QLockFile's own age for a lock it cannot judge otherwise.
constexpr time_t kStaleSeconds = 30;
// A lock file holds three short lines.
constexpr std::size_t kMaxLockText = 512;

// The lock file's text as QLockFile writes it: process id, the program's
// file name, host. QLockFile takes the lock to be held while that process
// runs that program there.
std::string LockText()
{
    std::string program;
    char exe[PATH_MAX];
    if (const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe); length > 0) {
        program.assign(exe, static_cast<std::size_t>(length));
        program.erase(0, program.find_last_of('/') + 1);
    }
    return std::to_string(getpid()) + '\n' + program + '\n' + QSysInfo::machineHostName().toStdString() + '\n';
}

// "0.5 s", "20 s".
std::string Seconds(int milliseconds)
{
    const std::string tenths = milliseconds % 1000 ? "." + std::to_string(milliseconds % 1000 / 100) : "";
    return std::to_string(milliseconds / 1000) + tenths + " s";
}

std::string UserName(uid_t uid)
{
    const passwd* user = getpwuid(uid);
    return user && user->pw_name ? user->pw_name : std::to_string(uid);
}

}  // namespace

bool Sleep(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return true;
}

bool SettingsLock::Holder::operator==(const Holder& other) const
{
    return device == other.device && inode == other.inode && changed.tv_sec == other.changed.tv_sec &&
           changed.tv_nsec == other.changed.tv_nsec && who == other.who;
}

SettingsLock::SettingsLock(const SettingsFolder& folder)
    : m_folder(folder), m_name(folder.FileName() + ".lock"), m_path(folder.PathOf(m_name))
{
}

SettingsLock::~SettingsLock()
{
    // Removed while still held, so that nobody takes a file on its way out.
    if (m_fd.IsOpen() && SameFile(m_folder.Descriptor(), m_name, m_fd.Get()))
        unlinkat(m_folder.Descriptor(), m_name.c_str(), 0);
}

SettingsLock::State SettingsLock::Fail(std::string problem)
{
    m_problem = std::move(problem);
    return State::Failed;
}

SettingsLock::Holder SettingsLock::HolderOf(int fd) const
{
    Holder holder;
    struct stat info {};
    if (fstat(fd, &info) == 0)
        holder = {info.st_dev, info.st_ino, info.st_ctim, {}};
    char text[kMaxLockText];
    const ssize_t got = pread(fd, text, sizeof text, 0);
    const std::string lines(text, got > 0 ? static_cast<std::size_t>(got) : 0);
    const std::size_t first = lines.find('\n');
    const std::size_t second = first == std::string::npos ? first : lines.find('\n', first + 1);
    const std::size_t third = second == std::string::npos ? second : lines.find('\n', second + 1);
    const std::string pid = lines.substr(0, first);
    if (third == std::string::npos || pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) {
        holder.who = "another process";
        return holder;
    }
    const std::string program = lines.substr(first + 1, second - first - 1);
    const std::string host = lines.substr(second + 1, third - second - 1);
    holder.who = (program.empty() ? "a program" : program) + " (process " + pid + " on " + host + ")";
    return holder;
}

SettingsLock::State SettingsLock::Try()
{
    const int folder = m_folder.Descriptor();
    for (int round = 0; round < kRounds; ++round) {
        quibo::Descriptor fd(
            openat(folder, m_name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666));
        const bool made = fd.IsOpen();
        if (!made && errno != EEXIST)
            return Fail(m_path + ": cannot lock: " + std::strerror(errno));
        struct stat info {};
        if (!made) {
            RegularFile existing(folder, m_name, O_RDONLY, RegularFile::Links::Refuse);
            info = existing.Info();
            if (existing.Error() == ENOENT)
                continue;  // let go meanwhile
            if (!existing.IsOpen() && existing.Error() == 0)
                return Fail(m_path + ": not a regular file");
            if (!existing.IsOpen() && existing.Error() != EACCES)
                return Fail(Reason(m_path, existing.Error()));
            if (existing.IsOpen())
                fd = quibo::Descriptor(fcntl(existing.Descriptor(), F_DUPFD_CLOEXEC, 0));
        }
        if (fd.IsOpen() && flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK)
                return Fail(m_path + ": cannot lock: " + std::strerror(errno));
            m_holder = HolderOf(fd.Get());
            m_problem = m_path + ": held by " + m_holder.who;
            return State::Busy;
        }
        if (!fd.IsOpen()) {
            // Another user's file that this one cannot read, so cannot hold
            // to see whether anybody does: QLockFile's rule, by its age.
            if (time(nullptr) - info.st_mtime < kStaleSeconds) {
                m_holder = {info.st_dev, info.st_ino, info.st_ctim, "a process of user " + UserName(info.st_uid)};
                m_problem = m_path + ": held by " + m_holder.who;
                return State::Busy;
            }
        } else if (!SameFile(folder, m_name, fd.Get())) {
            continue;  // removed or replaced meanwhile
        } else if (made) {
            const std::string text = LockText();
            if (const ssize_t put = write(fd.Get(), text.data(), text.size()); put != static_cast<ssize_t>(text.size())) {
                const int error = put < 0 ? errno : ENOSPC;
                unlinkat(folder, m_name.c_str(), 0);
                return Fail(m_path + ": cannot lock: " + std::strerror(error));
            }
            m_fd = std::move(fd);
            return State::Held;
        }
        // Nobody holds it: left by a process that ended.
        if (unlinkat(folder, m_name.c_str(), 0) != 0 && errno != ENOENT) {
            const int error = errno;
            const std::string owner = info.st_uid == geteuid() ? "" : " of user " + UserName(info.st_uid);
            return Fail(m_path + ": stale lock" + owner + ", cannot be removed: " + std::strerror(error));
        }
    }
    return Fail(m_path + ": cannot lock: made and removed by others again and again");
}

SettingsLock::State SettingsLock::Wait(const Pause& pause)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point since = start;
    Holder holder;
    for (;;) {
        const State state = Try();
        if (state != State::Busy)
            return state;
        const Clock::time_point now = Clock::now();
        if (!(m_holder == holder)) {
            holder = m_holder;
            since = now;
        }
        if (now - since >= std::chrono::milliseconds(kHolderPatienceMs)) {
            m_problem = m_path + ": cannot lock: held by " + holder.who + " for " + Seconds(kHolderPatienceMs);
            return state;
        }
        if (now - start >= std::chrono::milliseconds(kPatienceMs)) {
            m_problem = m_path + ": cannot lock: taken by other processes in turn for " + Seconds(kPatienceMs);
            return state;
        }
        if (!pause(QRandomGenerator::global()->bounded(kShortestPauseMs, kLongestPauseMs + 1))) {
            m_problem = m_path + ": cannot lock: held by " + holder.who + "; a signal came";
            return state;
        }
    }
}

}  // namespace quibo
