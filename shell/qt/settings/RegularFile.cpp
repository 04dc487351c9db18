#include "shell/qt/settings/RegularFile.h"

#include <unistd.h>

#include <cerrno>

namespace quibo {

RegularFile::RegularFile(int folder, const std::string& name, int flags, Links links)
{
    const bool follow = links == Links::Follow;
    if (fstatat(folder, name.c_str(), &m_info, follow ? 0 : AT_SYMLINK_NOFOLLOW) != 0) {
        m_error = errno;
        return;
    }
    if (!S_ISREG(m_info.st_mode))
        return;
    m_fd = openat(folder, name.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW));
    if (m_fd < 0) {
        m_error = errno;
    } else if (fstat(m_fd, &m_info) != 0 || !S_ISREG(m_info.st_mode)) {
        m_error = S_ISREG(m_info.st_mode) ? errno : 0;
        Close();
    }
}

RegularFile::~RegularFile()
{
    Close();
}

bool RegularFile::Close()
{
    if (m_fd < 0)
        return true;
    const bool closed = close(m_fd) == 0;
    m_fd = -1;
    return closed;
}

OpenResult OpenDocument(const std::string& path)
{
    const RegularFile file(path, O_RDONLY);
    if (file.IsOpen())
        return OpenResult::Opened;
    return file.Error() == ENOENT || file.Error() == ENOTDIR ? OpenResult::NotFound : OpenResult::Failed;
}

bool CreateEmptyDocument(const std::string& path)
{
    RegularFile existing(path, O_WRONLY | O_TRUNC);
    if (existing.IsOpen())
        return existing.Close();
    if (existing.Error() != ENOENT)
        return false;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    return close(fd) == 0 && regular;
}

}  // namespace quibo
