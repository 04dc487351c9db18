// The settings store against other processes: a lock that is held, stale,
// or swapped for a link; the file and the private folder swapped between a
// look and a use; links in another user's HOME.
#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "shell/qt/PrivateFolder.h"
#include "shell/qt/RecentFileSettings.h"
#include "shell/qt/SettingsEdits.h"
#include "shell/qt/SettingsFile.h"
#include "shell/qt/SettingsFolder.h"
#include "shell/qt/SettingsLock.h"
#include "shell/qt/SettingsStore.h"

using namespace quibo;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

void Write(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string Text(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Another process's hold on a lock file: flock() keeps out every other
// descriptor, in this process or another.
class Holder {
public:
    explicit Holder(const std::string& lock, const std::string& text = "4242\nquibo\nelsewhere\n")
        : m_fd(open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        if (m_fd >= 0 && flock(m_fd, LOCK_EX) == 0)
            m_held = write(m_fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }
    ~Holder()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    bool Held() const { return m_held; }

private:
    int m_fd;
    bool m_held = false;
};

// Sets or unsets an environment variable for one scope.
class Environment {
public:
    Environment(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~Environment() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

const auto kStoreA = [](QSettings& settings) {
    settings.setValue("k", "a");
    return true;
};

}  // namespace

class SettingsHostileTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::string Path(const std::string& name) const { return m_dir.filePath(QString::fromStdString(name)).toStdString(); }
    std::string Ini() const { return Path("Quibo.ini"); }
    std::string Lock() const { return Ini() + ".lock"; }
    SettingsStore Store() const { return SettingsStore(SettingsPlace::At(Ini())); }

private slots:
    void init()
    {
        fs::remove(Ini());
        fs::remove(Lock());
    }

    void aHeldLockIsTriedOnceAndWaitedForOnlyWhileItChangesHands()
    {
        Holder holder(Lock());
        QVERIFY(holder.Held());
        bool edited = false;
        SettingsStore::Result result = Store().Edit([&](QSettings&) { return edited = true; });
        QVERIFY(result.outcome == SettingsStore::Outcome::Busy && !edited);
        QCOMPARE(result.problem, Lock() + ": held by quibo (process 4242 on elsewhere)");

        // One holder that keeps it: given up after a short, stated time.
        int pauses = 0;
        const Pause counted = [&](int milliseconds) { return ++pauses, Sleep(milliseconds); };
        const Clock::time_point start = Clock::now();
        result = Store().Edit(kStoreA, &counted);
        const auto waited = Clock::now() - start;
        QCOMPARE(result.problem, Lock() + ": cannot lock: held by quibo (process 4242 on elsewhere) for 0.5 s");
        QVERIFY(waited >= std::chrono::milliseconds(SettingsLock::kHolderPatienceMs) && waited < std::chrono::seconds(5));
        QVERIFY(pauses > 1);

        // A signal ends the wait at once.
        pauses = 0;
        const Pause signalled = [&](int) { return ++pauses, false; };
        result = Store().Edit(kStoreA, &signalled);
        QVERIFY(result.problem.ends_with("; a signal came") && pauses == 1);

        // A crowd: the lock passes from one to the next for longer than one
        // holder's patience, and the wait goes on until it is free.
        std::optional<Holder> next;
        const Clock::time_point crowdStart = Clock::now();
        const Pause crowd = [&](int milliseconds) {
            next.reset();
            fs::remove(Lock());
            if (Clock::now() - crowdStart < std::chrono::milliseconds(3 * SettingsLock::kHolderPatienceMs))
                next.emplace(Lock(), std::to_string(Clock::now().time_since_epoch().count()) + "\nquibo\nhere\n");
            return Sleep(milliseconds);
        };
        result = Store().Edit(kStoreA, &crowd);
        QVERIFY2(result.outcome == SettingsStore::Outcome::Done, result.problem.c_str());
        QVERIFY(!fs::exists(Lock()));
    }

    void editsWaitingForTheLockAreDoneFromTheEventLoopOrGivenUpAtExit()
    {
        SettingsEdits edits;
        std::vector<std::string> reports;
        const auto report = [&](const std::string& problem) { reports.push_back(problem); };
        {
            Holder holder(Lock());
            edits.Submit(SettingsPlace::At(Ini()), "key", kStoreA, report);
            QVERIFY(edits.Waiting() && !fs::exists(Ini()));
        }
        QTRY_VERIFY(!edits.Waiting());
        QVERIFY(reports.empty());
        QCOMPARE(QSettings(QString::fromStdString(Ini()), QSettings::IniFormat).value("k").toString(), QString("a"));

        Holder holder(Lock());
        edits.Submit(SettingsPlace::At(Ini()), "key", [](QSettings& settings) { return settings.setValue("k", "b"), true; },
                     report);
        edits.Finish(Sleep);
        QCOMPARE(reports, std::vector<std::string>{Lock() + ": cannot lock: held by quibo (process 4242 on elsewhere) for 0.5 s"});
        QVERIFY(!edits.Waiting());
        QCOMPARE(QSettings(QString::fromStdString(Ini()), QSettings::IniFormat).value("k").toString(), QString("a"));
    }

    void aLockPathSwappedDuringTheWaitIsNeitherOpenedNorRead_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"link to a FIFO", "link to an endless device", "FIFO"})
            QTest::newRow(kind) << kind;
    }

    void aLockPathSwappedDuringTheWaitIsNeitherOpenedNorRead()
    {
        QFETCH(QString, kind);
        const std::string fifo = Path("fifo");
        fs::remove(fifo);
        QVERIFY(mkfifo(fifo.c_str(), 0600) == 0);
        std::optional<Holder> holder(std::in_place, Lock());
        const Pause swap = [&](int) {
            holder.reset();
            fs::remove(Lock());
            if (kind == "FIFO")
                return mkfifo(Lock().c_str(), 0600) == 0;
            return symlink(kind == "link to a FIFO" ? fifo.c_str() : "/dev/zero", Lock().c_str()) == 0;
        };
        const SettingsStore::Result result = Store().Edit(kStoreA, &swap);
        QCOMPARE(result.problem, Lock() + ": not a regular file");
        QCOMPARE(fs::symlink_status(Lock()).type(), kind == "FIFO" ? fs::file_type::fifo : fs::file_type::symlink);
        QVERIFY(!fs::exists(Ini()));
        fs::remove(fifo);
    }

    void aStaleLockIsRemovedAtOnce_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<uid_t>("owner");
        QTest::addColumn<int>("mode");
        QTest::newRow("garbage") << std::string("\x01\xff garbage") << geteuid() << 0644;
        QTest::newRow("a process that ended") << std::string("999999999\nquibo\nhere\n") << geteuid() << 0644;
        QTest::newRow("another user's") << std::string("1\nquibo\nhere\n") << uid_t(65534) << 0644;
        QTest::newRow("another user's, long unread") << std::string("1\nquibo\nhere\n") << uid_t(65534) << 0600;
    }

    void aStaleLockIsRemovedAtOnce()
    {
        QFETCH(std::string, text);
        QFETCH(uid_t, owner);
        QFETCH(int, mode);
        Write(Lock(), text);
        const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
        QVERIFY(utimensat(AT_FDCWD, Lock().c_str(), old, 0) == 0 && chmod(Lock().c_str(), mode_t(mode)) == 0);
        if (owner != geteuid() && chown(Lock().c_str(), owner, owner) != 0)
            QSKIP("only root can give a file away");
        const SettingsStore::Result result = Store().Edit(kStoreA);
        QVERIFY2(result.outcome == SettingsStore::Outcome::Done, result.problem.c_str());
        QVERIFY(!fs::exists(Lock()));
    }

    void thePrivateCopyIsMadeBesideTheFileAndRemovedThroughItsDescriptor()
    {
        // Nothing goes under TMPDIR, full or gone.
        const Environment noTemporary("TMPDIR", "/nonexistent");
        const std::string victims = Path("victims");
        fs::create_directory(victims);
        Write(victims + "/victim", "keep");
        std::string made;
        const SettingsStore::Result result = Store().Edit([&](QSettings& settings) {
            settings.setValue("k", "a");
            for (const fs::directory_entry& entry : fs::directory_iterator(m_dir.path().toStdString())) {
                if (entry.path().filename().string().starts_with(".quibo-private-"))
                    made = entry.path();
            }
            // Whoever could rename it swaps it for a link to victims.
            struct stat info {};
            if (stat(made.c_str(), &info) != 0 || (info.st_mode & 07777) != 0700 || info.st_uid != geteuid())
                return false;
            fs::rename(made, Path("moved"));
            fs::create_directory_symlink(victims, made);
            return true;
        });
        QVERIFY2(result.outcome == SettingsStore::Outcome::Done, result.problem.c_str());
        QCOMPARE(QSettings(QString::fromStdString(Ini()), QSettings::IniFormat).value("k").toString(), QString("a"));
        QCOMPARE(Text(victims + "/victim"), std::string("keep"));
        QVERIFY(fs::is_empty(Path("moved")) && fs::is_symlink(made));
        fs::remove(made);
        fs::remove(Path("moved"));

        // What a killed session left goes; a folder in use stays.
        for (const char* name : {".quibo-private-Killed", ".quibo-private-InUse1"}) {
            fs::create_directory(Path(name));
            Write(Path(name) + "/settings.ini", "x");
        }
        const int inUse = open(Path(".quibo-private-InUse1").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        QVERIFY(flock(inUse, LOCK_EX) == 0);
        Store().CleanUp();
        QVERIFY(!fs::exists(Path(".quibo-private-Killed")) && fs::exists(Path(".quibo-private-InUse1/settings.ini")));
        close(inUse);
        fs::remove_all(Path(".quibo-private-InUse1"));
    }

    void whatTakesTheFilesPlaceBetweenTheLookAndTheReplaceIsLeftAlone_data()
    {
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QString>("swapIn");
        QTest::newRow("file, then a link to a FIFO") << true << "link to a FIFO";
        QTest::newRow("file, then another file") << true << "another file";
        QTest::newRow("nothing, then a FIFO") << false << "FIFO";
    }

    void whatTakesTheFilesPlaceBetweenTheLookAndTheReplaceIsLeftAlone()
    {
        QFETCH(bool, fileThere);
        QFETCH(QString, swapIn);
        const std::string fifo = Path("fifo");
        fs::remove(fifo);
        QVERIFY(mkfifo(fifo.c_str(), 0600) == 0);
        if (fileThere)
            Write(Ini(), "[General]\nk=old\n");
        const SettingsFolder folder(SettingsPlace::At(Ini()), SettingsFolder::Make::No);
        const SettingsFile file(folder);
        SettingsFile::Target target;
        QVERIFY(!file.Find(target));
        fs::remove(Ini());
        if (swapIn == "link to a FIFO")
            fs::create_symlink(fifo, Ini());
        else if (swapIn == "FIFO")
            QVERIFY(mkfifo(Ini().c_str(), 0600) == 0);
        else
            Write(Ini(), "theirs");
        const std::optional<std::string> problem = file.Replace(target, "[General]\nk=new\n");
        QCOMPARE(problem.value_or("replaced"), Ini() + ": changed by another process while written; left as it is");
        if (swapIn == "another file")
            QCOMPARE(Text(Ini()), std::string("theirs"));
        else
            QVERIFY(fs::symlink_status(Ini()).type() == (swapIn == "FIFO" ? fs::file_type::fifo : fs::file_type::symlink));
        QVERIFY(fs::is_fifo(fifo));
        // Nothing left beside it.
        for (const fs::directory_entry& entry : fs::directory_iterator(m_dir.path().toStdString()))
            QVERIFY2(!entry.path().filename().string().starts_with("Quibo.ini."), entry.path().c_str());
        fs::remove(fifo);
    }

    void belowAnotherUsersHomeNoLinkIsFollowedAndEveryFolderIsOurs_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("problem");
        QTest::newRow("~/.config") << ".config" << "theirs/.config: a link, not followed in another user's HOME";
        QTest::newRow("the settings folder") << ".config/Folder" << "theirs/.config/Folder: a link, not followed in another user's HOME";
        QTest::newRow("the file") << ".config/Folder/Quibo.ini" << "theirs/.config/Folder/Quibo.ini: a link, not followed in another user's HOME";
        QTest::newRow("none") << "" << "";
    }

    void belowAnotherUsersHomeNoLinkIsFollowedAndEveryFolderIsOurs()
    {
        if (geteuid() != 0)
            QSKIP("only root can have a HOME of another user's with folders of its own in it");
        QFETCH(QString, link);
        QFETCH(QString, problem);
        const std::string home = Path("theirs");
        const std::string ours = Path("ours");
        fs::remove_all(home);
        fs::remove_all(ours);
        fs::create_directories(home + "/.config/Folder");
        fs::create_directories(ours + "/Folder");
        Write(ours + "/Folder/Quibo.ini", "[General]\nk=ours\n");
        QVERIFY(chown(home.c_str(), 65534, 65534) == 0);
        if (!link.isEmpty()) {
            const std::string at = home + "/" + link.toStdString();
            fs::remove_all(at);
            fs::create_symlink(ours + at.substr(home.size() + std::string("/.config").size()), at);
        }
        const Environment noConfig("XDG_CONFIG_HOME", nullptr);
        const Environment theirHome("HOME", home.c_str());
        const SettingsPlace place = UserSettingsPlace("Folder/Quibo.ini");
        const SettingsStore::Result result = SettingsStore(place).Edit(kStoreA);
        const std::string said = place.path.empty() ? place.problem : result.problem;
        QCOMPARE(QString::fromStdString(said), problem.isEmpty() ? QString() : QString::fromStdString(Path(problem.toStdString())));
        QCOMPARE(Text(ours + "/Folder/Quibo.ini"), std::string("[General]\nk=ours\n"));
        // A folder of the user's there: nothing is made in it either.
        if (link.isEmpty()) {
            QVERIFY(chown((home + "/.config").c_str(), 65534, 65534) == 0);
            QCOMPARE(UserSettingsPlace("Folder/Quibo.ini").problem, home + "/.config: owned by another user");
        }
    }
};

QTEST_GUILESS_MAIN(SettingsHostileTest)
#include "SettingsHostileTest.moc"
