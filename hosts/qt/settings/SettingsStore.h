#pragma once

#include <functional>
#include <optional>
#include <string>

#include "hosts/qt/settings/SettingsFolder.h"

namespace quibo {

// Sleeps for up to the milliseconds given; false when the wait is to end
// (a signal came).
using Pause = std::function<bool(int milliseconds)>;
// A pause that only sleeps.
bool Sleep(int milliseconds);

// A settings file, read without a lock (a write replaces it whole, so a
// read sees the old text or the new) and edited under flock() on NAME.lock
// beside it. The kernel lets go of a dead holder's lock, so that file is
// made once and never removed, judged or written in. It is opened only as
// a regular file, never through a link, and a try for it never blocks.
class SettingsStore {
public:
    // A wait for the lock gives up after this long without the file
    // changing (a crowd of instances, each writing in turn, is waited
    // for), and after kPatienceMs in all.
    static constexpr int kHolderPatienceMs = 500;
    static constexpr int kPatienceMs = 20000;

    explicit SettingsStore(SettingsPlace place) : m_place(std::move(place)) {}

    // The file's text, empty when there is none yet; the reason instead
    // when it cannot be read.
    std::optional<std::string> Read(std::string& text) const;

    // With other writers kept out: reads the file again, lets edit make its
    // new text from it (nothing when it cannot), and puts that in the
    // file's place unless it is the same. Without pause the lock is tried
    // once; with it, waited for, with pause between the tries.
    using Edit = std::function<std::optional<std::string>(const std::string& text)>;
    enum class Outcome { Done, Busy, Failed };
    struct Result {
        Outcome outcome = Outcome::Done;
        std::string problem;  // why not Done; the file is then as it was
    };
    Result Change(const Edit& edit, const Pause* pause = nullptr) const;

private:
    SettingsPlace m_place;
};

}  // namespace quibo
