#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include "shell/platform/AppPlatform.h"

namespace quibo {

// A file opened only when it is a regular one (a link to one is followed):
// opening a FIFO waits for a writer and takes what it writes, opening a
// device may make it act. The look comes first, the open does not block,
// should a FIFO take the file's place meanwhile, and what was opened is
// looked at again.
class RegularFile {
public:
    enum class Links { Follow, Refuse };

    RegularFile(const std::string& path, int flags) : RegularFile(AT_FDCWD, path, flags, Links::Follow) {}
    // name in the folder that folder has open; a link there, when refused,
    // counts as a file that is not a regular one.
    RegularFile(int folder, const std::string& name, int flags, Links links);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    int Descriptor() const { return m_fd; }
    // Why it is not open: the system's error, or 0 for a file that is not
    // a regular one.
    int Error() const { return m_error; }
    // What the open file is.
    const struct stat& Info() const { return m_info; }
    // Closes it; false when that failed.
    bool Close();

private:
    int m_fd = -1;
    int m_error = 0;
    struct stat m_info {};
};

// Documents are regular files. Opened for reading and closed again; nothing
// is read.
OpenResult OpenDocument(const std::string& path);
// Empties a regular file, or makes a new one; touches nothing else.
bool CreateEmptyDocument(const std::string& path);

}  // namespace quibo
