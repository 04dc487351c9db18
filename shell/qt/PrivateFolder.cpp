#include "shell/qt/PrivateFolder.h"

#include <QFile>

#include <dirent.h>
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

std::optional<std::string> PrivateFolder::Write(const char* name, const std::string& text) const
{
    if (m_path.empty())
        return m_problem;
    QFile file(FilePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.flush())
        return file.errorString().toStdString();
    return std::nullopt;
}

std::optional<std::string> PrivateFolder::Read(const char* name) const
{
    QFile file(FilePath(name));
    if (m_path.empty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

}  // namespace quibo
