#include "shell/qt/settings/SettingsLock.h"

#include <QRandomGenerator>
#include <QString>
#include <QSysInfo>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "shell/qt/settings/RegularFile.h"

namespace quibo {

namespace {

constexpr int kShortestPauseMs = 2;
constexpr int kLongestPauseMs = 25;
// Tries in a row at making the lock file or removing a stale one, each
// thwarted by another process's doing the same.
constexpr int kRounds = 16;
// QLockFile's age for a lock whose process it cannot judge; and the time a
// lock file may be without its lines, from its making to their writing.
constexpr time_t kStaleSeconds = 30;
constexpr time_t kUnwrittenSeconds = 2;
// QLockFile writes five short lines (three before Qt 5.10, as here).
constexpr std::size_t kMaxLockText = 512;

// The name of the program a process runs, as QLockFile takes it: the file
// name of /proc/PID/exe. Empty when it cannot be read.
std::string ProgramOf(const std::string& pid)
{
    char exe[PATH_MAX];
    const ssize_t length = readlink(("/proc/" + pid + "/exe").c_str(), exe, sizeof exe);
    if (length <= 0 || length == static_cast<ssize_t>(sizeof exe))
        return {};
    std::string program(exe, static_cast<std::size_t>(length));
    if (program.ends_with(" (deleted)"))
        program.resize(program.size() - 10);
    return program.substr(program.find_last_of('/') + 1);
}

// The lock file's lines as QLockFile writes them: process id, program,
// host.
std::string LockText()
{
    return std::to_string(getpid()) + '\n' + ProgramOf("self") + '\n' + QSysInfo::machineHostName().toStdString() +
           '\n';
}

// Whether process pid of this host runs program: it exists (another user's
// too) and, where its program can be read, it is that one.
bool Runs(const std::string& pid, const std::string& program)
{
    const long long number = std::strtoll(pid.c_str(), nullptr, 10);
    if (number <= 0 || number > INT_MAX || (kill(static_cast<pid_t>(number), 0) != 0 && errno != EPERM))
        return false;
    const std::string running = ProgramOf(pid);
    return running.empty() || running == program;
}

time_t Age(const struct stat& info)
{
    return std::abs(time(nullptr) - info.st_mtime);
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

SettingsLock::State SettingsLock::Busy(Holder holder)
{
    m_holder = std::move(holder);
    m_problem = m_path + ": held by " + m_holder.who;
    return State::Busy;
}

SettingsLock::Holder SettingsLock::HolderOf(int fd, const struct stat& info, bool& stale) const
{
    Holder holder{info.st_dev, info.st_ino, info.st_ctim, "another process"};
    char text[kMaxLockText];
    const ssize_t got = pread(fd, text, sizeof text, 0);
    const std::string lines(text, got > 0 ? static_cast<std::size_t>(got) : 0);
    const std::size_t first = lines.find('\n');
    const std::size_t second = first == std::string::npos ? first : lines.find('\n', first + 1);
    const std::size_t third = second == std::string::npos ? second : lines.find('\n', second + 1);
    const std::string pid = lines.substr(0, first);
    if (third == std::string::npos || pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) {
        stale = Age(info) >= kUnwrittenSeconds;
        return holder;
    }
    const std::string program = lines.substr(first + 1, second - first - 1);
    const std::string host = lines.substr(second + 1, third - second - 1);
    holder.who = (program.empty() ? "a program" : program) + " (process " + pid + " on " + host + ")";
    const bool here = host.empty() || host == QSysInfo::machineHostName().toStdString();
    stale = (here && !Runs(pid, program)) || Age(info) >= kStaleSeconds;
    return holder;
}

SettingsLock::State SettingsLock::Try()
{
    const int folder = m_folder.Descriptor();
    for (int round = 0; round < kRounds; ++round) {
        quibo::Descriptor made(
            openat(folder, m_name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666));
        if (made.IsOpen()) {
            // Where the file system has no such locks, the file made is the
            // lock, as for QLockFile.
            const bool looked = flock(made.Get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
            if (looked || !SameFile(folder, m_name, made.Get())) {
                // Someone looking at it as it was made: make another.
                if (SameFile(folder, m_name, made.Get()))
                    unlinkat(folder, m_name.c_str(), 0);
                continue;
            }
            if (const int error = WriteAll(made.Get(), LockText())) {
                unlinkat(folder, m_name.c_str(), 0);
                return Fail(m_path + ": cannot lock: " + std::strerror(error));
            }
            m_fd = std::move(made);
            return State::Held;
        }
        if (const int error = errno; error != EEXIST)
            return Fail(m_path + ": cannot lock: " + std::strerror(error));

        const RegularFile existing(folder, m_name, O_RDONLY, RegularFile::Links::Refuse);
        const struct stat& info = existing.Info();
        bool stale = false;
        if (existing.Error() == ENOENT)
            continue;  // let go meanwhile
        if (!existing.IsOpen() && existing.Error() == 0)
            return Fail(m_path + ": not a regular file");
        if (existing.Error() == EACCES) {
            // Another user's, which this one cannot read, so cannot hold to
            // see whether anybody does: QLockFile's rule, by its age.
            stale = Age(info) >= kStaleSeconds;
            if (!stale)
                return Busy({info.st_dev, info.st_ino, info.st_ctim, "a process of user " + UserName(info.st_uid)});
        } else if (!existing.IsOpen()) {
            return Fail(Reason(m_path, existing.Error()));
        } else if (flock(existing.Descriptor(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            return Busy(HolderOf(existing.Descriptor(), info, stale));
        } else if (!SameFile(folder, m_name, existing.Descriptor())) {
            continue;  // removed or replaced meanwhile
        } else if (Holder holder = HolderOf(existing.Descriptor(), info, stale); !stale) {
            return Busy(std::move(holder));
        }
        // Left by a process that ended, and held by nobody now.
        struct stat now {};
        if (fstatat(folder, m_name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 || now.st_ino != info.st_ino ||
            now.st_ctim.tv_sec != info.st_ctim.tv_sec || now.st_ctim.tv_nsec != info.st_ctim.tv_nsec)
            continue;
        if (unlinkat(folder, m_name.c_str(), 0) != 0 && errno != ENOENT) {
            const int error = errno;
            const std::string owner = info.st_uid == geteuid() ? "" : " of user " + UserName(info.st_uid);
            return Fail(m_path + ": stale lock" + owner + ", cannot be removed: " + std::strerror(error));
        }
    }
    // Others make and remove it as fast as this one looks: a crowd.
    return Busy({0, 0, {}, "other processes in turn"});
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
