#pragma once

#include <unistd.h>

#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "numtext/Latin1.h"

namespace quibo {

// A file descriptor that is closed with its owner.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    ~Descriptor() { Close(); }

    bool IsOpen() const { return m_fd >= 0; }
    int Get() const { return m_fd; }
    // Closes it; false when that failed (a write that did not reach the disk).
    bool Close() { return m_fd < 0 || close(std::exchange(m_fd, -1)) == 0; }

private:
    int m_fd = -1;
};

// A path in a message, quoted and escaped as quibo-cli names a file: a
// name can hold anything but '/' and NUL, and a terminal must not take it
// for commands.
inline std::string Named(std::string_view path)
{
    return QuotedForMessage(path, path.size());
}

inline std::string Reason(std::string_view path, int error)
{
    return Named(path) + ": " + std::strerror(error);
}

}  // namespace quibo
