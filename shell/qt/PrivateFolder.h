#pragma once

#include <QString>

#include <optional>
#include <string>

namespace quibo {

// A folder of the program's own under $TMPDIR (or /tmp), mode 0700, removed
// with the files in it. It holds the private copies of settings files that
// Qt's settings store reads, writes and locks. Plain system calls: Qt's
// QTemporaryDir costs more at start-up than all the rest of the reading.
class PrivateFolder {
public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    QString Path() const;
    QString FilePath(const char* name) const;

    // Writes a new file of the folder; the reason when that failed.
    std::optional<std::string> Write(const char* name, const std::string& text) const;
    // A file's bytes; nothing when it is not there.
    std::optional<std::string> Read(const char* name) const;

private:
    std::string m_path;
    std::string m_problem;  // why there is no folder
};

}  // namespace quibo
