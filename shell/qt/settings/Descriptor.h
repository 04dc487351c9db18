#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace quibo {

// A file descriptor that is closed with its owner.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Reset(); }

    bool IsOpen() const { return m_fd >= 0; }
    int Get() const { return m_fd; }
    void Reset();
    // Closes it; false when that failed (a write that did not reach the disk).
    bool Close();

private:
    int m_fd = -1;
};

// Whether name in folder is (still) the file that fd has open; a link there
// is not followed.
bool SameFile(int folder, const std::string& name, int fd);

// Whether the effective user owns what fd has open.
bool OwnedByUs(int fd);

// Writes all of text to fd; the system's error, or 0.
int WriteAll(int fd, std::string_view text);
// Appends what fd has, to its end, to text; the system's error, EFBIG once
// text would pass limit bytes (text then as before), or 0.
int ReadAll(int fd, std::string& text, std::size_t limit);

// "path: the system's text for error".
std::string Reason(const std::string& path, int error);

// A name no file of a folder is likely to have: prefix and six letters or
// digits drawn at random.
std::string RandomName(const std::string& prefix);

// Gives what fd has open a modification time that no earlier copy of this
// process had: Qt's settings store keeps what it read of a path while the
// file's size and time stay the same.
void GiveOwnTime(int fd);

// The name under which Qt's classes, which take paths, reach what fd has
// open, whatever has been renamed since.
std::string DescriptorPath(int fd);

}  // namespace quibo
