#include "hosts/qt/files/FileNames.h"

#include <QFile>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace quibo {

namespace {

bool Exists(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// The one entry of folder whose name shows as shown; nothing when none or
// more than one do.
std::optional<std::string> FindShownEntry(const std::string& folder, const QString& shown)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir)
        return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* entry = readdir(dir.get())) {
        if (QFile::decodeName(entry->d_name) != shown)
            continue;
        if (found)
            return std::nullopt;
        found = entry->d_name;
    }
    return found;
}

}  // namespace

QString DisplayName(std::string_view bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string NativeName(const QString& name)
{
    const QByteArray encoded = QFile::encodeName(name);
    std::string path(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    if (path.empty() || Exists(path))
        return path;
    // Rebuild the path part by part from what is on disk.
    std::string rebuilt;
    const QStringList parts = name.split(u'/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::string prefix = i == 0 ? "" : rebuilt + "/";
        std::string candidate = prefix + QFile::encodeName(parts[i]).toStdString();
        if (!parts[i].isEmpty() && !Exists(candidate)) {
            const std::string folder = i == 0 ? "." : rebuilt.empty() ? "/" : rebuilt;
            const std::optional<std::string> entry = FindShownEntry(folder, parts[i]);
            if (!entry) {
                // A new name (or one that shows like several): encoded, in
                // the folder found so far.
                const QString rest = parts.sliced(i).join(u'/');
                return prefix + QFile::encodeName(rest).toStdString();
            }
            candidate = prefix + *entry;
        }
        rebuilt = std::move(candidate);
    }
    return rebuilt;
}

std::string AbsolutePath(std::string_view path)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error)
        return std::string(path);  // no working folder to start from
    std::string clean = full.lexically_normal().native();
    // "a/" and "a/b/.." name the folder a, as "a" does.
    while (clean.size() > 1 && clean.back() == '/')
        clean.pop_back();
    return clean;
}

}  // namespace quibo
