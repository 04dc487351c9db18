// The settings store against other processes: a lock that is held, stale,
// or swapped for a link; the file and the private folder swapped between a
// look and a use; links in another user's HOME.
#include <QCoreApplication>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "shell/qt/settings/PrivateFolder.h"
#include "shell/qt/settings/AppSettings.h"
#include "shell/qt/settings/SettingsEdits.h"
#include "shell/qt/settings/SettingsFile.h"
#include "shell/qt/settings/SettingsFolder.h"
#include "shell/qt/settings/SettingsLock.h"
#include "shell/qt/settings/SettingsStore.h"
#include "tests/qt/Environment.h"

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
// descriptor, in this process or another. It removes the file as it lets
// go.
class Holder {
public:
    explicit Holder(std::string lock, const std::string& text = "4242\nquibo\nelsewhere\n")
        : m_lock(std::move(lock)), m_fd(open(m_lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        if (m_fd >= 0 && flock(m_fd, LOCK_EX) == 0)
            m_held = write(m_fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }
    ~Holder()
    {
        if (m_held)
            unlink(m_lock.c_str());
        if (m_fd >= 0)
            close(m_fd);
    }
    bool Held() const { return m_held; }

private:
    std::string m_lock;
    int m_fd;
    bool m_held = false;
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
        const auto stored = [this] {
            return QSettings(QString::fromStdString(Ini()), QSettings::IniFormat).value("k").toString();
        };
        {
            Holder holder(Lock());
            edits.Submit(SettingsPlace::At(Ini()), "key", kStoreA, report);
            QVERIFY(!fs::exists(Ini()));
        }
        QTRY_COMPARE(stored(), QString("a"));
        QVERIFY(reports.empty());

        Holder holder(Lock());
        edits.Submit(SettingsPlace::At(Ini()), "key", [](QSettings& settings) { return settings.setValue("k", "b"), true; },
                     report);
        edits.Finish(Sleep);
        QCOMPARE(reports, std::vector<std::string>{Lock() + ": cannot lock: held by quibo (process 4242 on elsewhere) for 0.5 s"});
        QCOMPARE(stored(), QString("a"));
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

    void aLockThatNobodyHoldsIsJudgedAsQLockFileJudgesIt_data()
    {
        // A lock file nobody holds with flock(): its process, its age.
        QTest::addColumn<std::string>("text");
        QTest::addColumn<bool>("old");
        QTest::addColumn<bool>("stale");
        const std::string here = "\nquibo\n" + QSysInfo::machineHostName().toStdString() + "\n";
        const std::string running = std::to_string(getpid()) + "\n" + QCoreApplication::applicationFilePath()
                                        .section('/', -1).toStdString() + "\n" + QSysInfo::machineHostName().toStdString() + "\n";
        QTest::newRow("a process that ended") << "999999999" + here << false << true;
        QTest::newRow("this host's process that runs it") << running << false << false;
        QTest::newRow("the same, 30 s old") << running << true << true;
        QTest::newRow("a process that runs another program") << std::to_string(getpid()) + here << false << true;
        QTest::newRow("another host's") << std::string("1\nquibo\nelsewhere\n") << false << false;
        QTest::newRow("lines not yet written") << std::string() << false << false;
        QTest::newRow("garbage, 30 s old") << std::string("\x01\xff garbage") << true << true;
    }

    void aLockThatNobodyHoldsIsJudgedAsQLockFileJudgesIt()
    {
        QFETCH(std::string, text);
        QFETCH(bool, old);
        QFETCH(bool, stale);
        Write(Lock(), text);
        const timespec times[2] = {{0, UTIME_OMIT}, {old ? time(nullptr) - 30 : 0, old ? 0 : UTIME_NOW}};
        QVERIFY(utimensat(AT_FDCWD, Lock().c_str(), times, 0) == 0);
        const SettingsStore::Result result = Store().Edit(kStoreA);
        QCOMPARE(result.outcome, stale ? SettingsStore::Outcome::Done : SettingsStore::Outcome::Busy);
        QCOMPARE(fs::exists(Lock()), !stale);
    }

    void aStaleLockOfAnotherUserIsRemovedAtOnceAndAnUnreadableOneWhenOld()
    {
        if (geteuid() != 0)
            QSKIP("only root can leave a lock in a folder of another user's");
        // The user's folder, with a lock a crashed root session left.
        const std::string folder = Path("user");
        fs::create_directory(folder);
        QVERIFY(chown(folder.c_str(), 65534, 65534) == 0 && chmod(m_dir.path().toLocal8Bit(), 0711) == 0);
        const std::string lock = folder + "/Quibo.ini.lock";
        const auto tryAsUser = [&](int mode, bool old) {
            Write(lock, "999999999\nquibo\n" + QSysInfo::machineHostName().toStdString() + "\n");
            const timespec times[2] = {{0, UTIME_OMIT}, {old ? time(nullptr) - 30 : 0, old ? 0 : UTIME_NOW}};
            if (chmod(lock.c_str(), mode_t(mode)) != 0 || utimensat(AT_FDCWD, lock.c_str(), times, 0) != 0)
                return -1;
            const pid_t child = fork();
            if (child == 0) {
                if (setgid(65534) != 0 || setuid(65534) != 0)
                    _exit(100);
                const SettingsFolder settings(SettingsPlace::At(folder + "/Quibo.ini"), SettingsFolder::Make::No);
                _exit(static_cast<int>(SettingsLock(settings).Try()));
            }
            int status = -1;
            waitpid(child, &status, 0);
            fs::remove(lock);
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        };
        QCOMPARE(tryAsUser(0644, false), int(SettingsLock::State::Held));
        QCOMPARE(tryAsUser(0600, false), int(SettingsLock::State::Busy));
        QCOMPARE(tryAsUser(0600, true), int(SettingsLock::State::Held));
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
