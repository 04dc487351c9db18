#include "shell/qt/PrivateFolder.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quibo {

PrivateFolder::PrivateFolder()
{
    const char* temporary = std::getenv("TMPDIR");
    std::string path = std::string(temporary && *temporary == '/' ? temporary : "/tmp") + "/quibo-XXXXXX";
    if (!mkdtemp(path.data())) {
        m_problem = path.substr(0, path.size() - 13) + ": " + std::strerror(errno);
        return;
    }
    m_path = std::move(path);
}

PrivateFolder::~PrivateFolder()
{
    if (m_path.empty())
        return;
    // Only Quibo and Qt's store write here, and neither makes folders.
    if (DIR* folder = opendir(m_path.c_str())) {
        while (const dirent* entry = readdir(folder)) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                unlinkat(dirfd(folder), entry->d_name, 0);
        }
        closedir(folder);
    }
    rmdir(m_path.c_str());
}

QString PrivateFolder::Path() const
{
    return QFile::decodeName(QByteArray::fromStdString(m_path));
}

QString PrivateFolder::FilePath(const char* name) const
{
    return Path() + '/' + QLatin1String(name);
}

bool PrivateFolder::Write(const char* name, const std::string& text) const
{
    if (m_path.empty())
        return false;
    const int fd = open((m_path + '/' + name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool written = true;
    for (std::size_t done = 0; written && done < text.size();) {
        const ssize_t put = write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        written = put > 0;
        if (written)
            done += static_cast<std::size_t>(put);
    }
    return close(fd) == 0 && written;
}

std::optional<std::string> PrivateFolder::Read(const char* name) const
{
    QFile file(FilePath(name));
    if (m_path.empty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

}  // namespace quibo
