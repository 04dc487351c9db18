#include "shell/qt/Descriptor.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

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
