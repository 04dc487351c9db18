#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>

namespace quibo {

// A settings file, read and written so that nothing that is not a regular
// file is ever read, opened for writing or replaced: a FIFO, a device or a
// folder there (or where a link there points) is left alone. Nor is a file
// larger than any settings file, which would cost its size in memory twice
// over and again on disk.
class SettingsFile {
public:
    static constexpr long long kMaxBytes = 1 << 20;

    explicit SettingsFile(std::string path) : m_path(std::move(path)) {}

    const std::string& Path() const { return m_path; }
    // The folders the file goes in, made when missing, but only within a
    // folder of the effective user's; the reason when not.
    std::optional<std::string> MakeFolder() const;

    // The file's text; empty when there is no file. Nothing, with the
    // reason, when the file is not a regular one or cannot be read.
    struct Content {
        bool ours = false;
        std::string text;
        std::string problem;
    };
    Content Read() const;

    // Writes text in place of the file, atomically: a new file beside it
    // (beside the target of a link, which stays a link), with its mode,
    // owner and group, renamed over it. The reason when that failed.
    std::optional<std::string> Replace(const std::string& text) const;

private:
    // Where a new file goes, and what it takes over from the old one.
    struct Target {
        std::string path;
        mode_t mode = 0;
        std::optional<std::pair<uid_t, gid_t>> owner;
    };
    std::optional<std::string> FindTarget(Target& target) const;
    // The new file's owner, group and mode, text, and all on disk.
    static std::optional<std::string> Fill(int fd, const Target& target, const std::string& text);

    std::string m_path;
};

}  // namespace quibo
