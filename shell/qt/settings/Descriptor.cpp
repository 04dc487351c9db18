#include "shell/qt/settings/Descriptor.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quibo {

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept
{
    if (this != &other) {
        Reset();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

void Descriptor::Reset()
{
    Close();
}

bool Descriptor::Close()
{
    if (m_fd < 0)
        return true;
    return close(std::exchange(m_fd, -1)) == 0;
}

int WriteAll(int fd, std::string_view text)
{
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t put = write(fd, text.data() + written, text.size() - written);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return errno;
        written += static_cast<std::size_t>(put);
    }
    return 0;
}

int ReadAll(int fd, std::string& text, std::size_t limit)
{
    const std::size_t start = text.size();
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || text.size() - start + static_cast<std::size_t>(std::max<ssize_t>(got, 0)) > limit) {
            const int error = got < 0 ? errno : EFBIG;
            text.resize(start);
            return error;
        }
        if (got == 0)
            return 0;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

bool SameFile(int folder, const std::string& name, int fd)
{
    struct stat there {};
    struct stat open {};
    return fstatat(folder, name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 && fstat(fd, &open) == 0 &&
           there.st_dev == open.st_dev && there.st_ino == open.st_ino;
}

bool OwnedByUs(int fd)
{
    struct stat info {};
    return fstat(fd, &info) == 0 && info.st_uid == geteuid();
}

std::string Reason(const std::string& path, int error)
{
    return path + ": " + std::strerror(error);
}

std::string RandomName(const std::string& prefix)
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[6] = {};
    if (getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        // Too early in boot for the pool: unlikely names still do, as
        // every use of one makes it with O_EXCL and tries again.
        static unsigned counter = 0;
        const unsigned seed = static_cast<unsigned>(getpid()) * 2654435761u + ++counter * 40503u;
        for (std::size_t i = 0; i < sizeof bytes; ++i)
            bytes[i] = static_cast<unsigned char>(seed >> (i * 5));
    }
    std::string name = prefix;
    for (unsigned char byte : bytes)
        name += kLetters[byte % (sizeof kLetters - 1)];
    return name;
}

void GiveOwnTime(int fd)
{
    // Whole seconds from the epoch on, a new one each time.
    static long long copies = 0;
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(++copies), 0}};
    futimens(fd, times);
}

std::string DescriptorPath(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace quibo
