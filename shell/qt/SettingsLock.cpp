#include "shell/qt/SettingsLock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quibo {

namespace {

constexpr int kPatienceMs = 20000;
constexpr int kShortestWaitMs = 2;
constexpr int kLongestWaitMs = 25;

// QLockFile tells only that it failed: make the lock file as it does, a new
// file with a line written into it, to find the system's reason.
std::string WhyNoLockFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return std::strerror(errno);
    static constexpr char kLine[] = "0\nquibo\nlocalhost\n";
    const bool written = write(fd, kLine, sizeof kLine - 1) == static_cast<ssize_t>(sizeof kLine - 1);
    const int error = errno;
    close(fd);
    unlink(path.c_str());
    return written ? "the lock file cannot be made" : std::strerror(error);
}

}  // namespace

SettingsLock::SettingsLock(const std::string& settingsPath)
    : m_path(settingsPath + ".lock"), m_lock(QFile::decodeName(QByteArray::fromStdString(m_path)))
{
}

std::optional<std::string> SettingsLock::Acquire()
{
    // QLockFile reads a lock file it finds, which must not be a FIFO.
    struct stat info {};
    if (lstat(m_path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return m_path + ": not a regular file";
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (m_lock.tryLock(0))
            return std::nullopt;
        if (m_lock.error() != QLockFile::LockFailedError)
            return m_path + ": cannot lock: " + WhyNoLockFile(m_path);
        if (waited.elapsed() >= kPatienceMs)
            break;
        QThread::msleep(QRandomGenerator::global()->bounded(kShortestWaitMs, kLongestWaitMs + 1));
    }
    qint64 pid = 0;
    QString host;
    QString program;
    std::string holder = "another process";
    if (m_lock.getLockInfo(&pid, &host, &program))
        holder = program.toStdString() + " (process " + std::to_string(pid) + " on " + host.toStdString() + ")";
    return m_path + ": cannot lock: held by " + holder + " for " + std::to_string(kPatienceMs / 1000) + " s";
}

}  // namespace quibo
