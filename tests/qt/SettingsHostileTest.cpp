// The settings file against other processes: a lock that is held, or is
// not a regular file, and the file swapped between its reading and its
// replacing.
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "hosts/qt/settings/AppSettings.h"
#include "hosts/qt/settings/SettingsFile.h"

using namespace quibo;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

void Write(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string Text(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Another process's hold on the lock: flock() keeps out every other open
// of the file, in this process too.
class Holder {
public:
    explicit Holder(const std::string& lock) : m_fd(open(lock.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644))
    {
        m_held = m_fd >= 0 && flock(m_fd, LOCK_EX) == 0;
    }
    ~Holder() { close(m_fd); }
    bool Held() const { return m_held; }

private:
    int m_fd;
    bool m_held = false;
};

const SettingsStore::Edit kStoreA = [](const std::string&) { return std::string("[General]\nk=a\n"); };

}  // namespace

class SettingsHostileTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::string Path(const std::string& name) const { return m_dir.filePath(QString::fromStdString(name)).toStdString(); }
    std::string Ini() const { return Path("Quibo.ini"); }
    std::string Lock() const { return Ini() + ".lock"; }
    SettingsStore Store() const { return SettingsStore(SettingsPlace::At(Ini())); }
    std::string Named(const std::string& path) const { return "\"" + path + "\""; }

private slots:
    void init()
    {
        fs::remove(Ini());
        fs::remove(Lock());
    }

    void aHeldLockIsTriedOnceAndWaitedForOnlyWhileTheHoldersWrite()
    {
        std::optional<Holder> holder(std::in_place, Lock());
        QVERIFY(holder->Held());
        SettingsStore::Result result = Store().Change(kStoreA);
        QVERIFY(result.outcome == SettingsStore::Outcome::Busy && !fs::exists(Ini()));
        QCOMPARE(result.problem, Named(Lock()) + ": held by another process");

        // One holder that keeps it: given up after a short, stated time, or
        // at once when a signal comes.
        const Pause sleep = Sleep;
        const Clock::time_point start = Clock::now();
        result = Store().Change(kStoreA, &sleep);
        QCOMPARE(result.problem, Named(Lock()) + ": cannot lock: held by another process for 0.5 s");
        QVERIFY(Clock::now() - start >= std::chrono::milliseconds(SettingsStore::kHolderPatienceMs));
        int pauses = 0;
        const Pause signalled = [&](int) { return ++pauses, false; };
        result = Store().Change(kStoreA, &signalled);
        QVERIFY(result.problem.ends_with("; a signal came") && pauses == 1);

        // Holders that write in turn, for longer than one holder's patience:
        // the wait goes on until the lock is free.
        const Pause crowd = [&](int milliseconds) {
            Write(Ini(), std::to_string(Clock::now().time_since_epoch().count()));
            if (Clock::now() - start > std::chrono::milliseconds(4 * SettingsStore::kHolderPatienceMs))
                holder.reset();
            return Sleep(milliseconds);
        };
        result = Store().Change(kStoreA, &crowd);
        QVERIFY2(result.outcome == SettingsStore::Outcome::Done, result.problem.c_str());
        QCOMPARE(Text(Ini()), std::string("[General]\nk=a\n"));
        QVERIFY(fs::is_regular_file(Lock()));  // never removed
    }

    void editsWaitingForTheLockAreDoneFromTheEventLoopOrGivenUpAtExit()
    {
        AppSettings settings(SettingsPlace::At(Ini()));
        const auto list = [](std::string file) {
            return [file](const std::vector<std::string>&) { return std::optional(std::vector<std::string>{file}); };
        };
        {
            Holder holder(Lock());
            settings.UpdateRecentFiles(list("/mine"));
            QVERIFY(!fs::exists(Ini()));
        }
        QTRY_COMPARE(RecentFilesIn(Text(Ini())), std::vector<std::string>{"/mine"});

        Holder holder(Lock());
        settings.StoreBitsShown(true);
        settings.UpdateRecentFiles(list("/later"));
        const Clock::time_point start = Clock::now();
        settings.Finish(Sleep);
        QVERIFY(Clock::now() - start < std::chrono::milliseconds(3 * SettingsStore::kHolderPatienceMs));
        QCOMPARE(Text(Ini()), "[Recent%20File%20List]\nFile1=/mine\n");
    }

    void aLockThatIsNotARegularFileIsNeitherOpenedNorRead_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"FIFO", "link to a FIFO", "link to an endless device", "link to a file"})
            QTest::newRow(kind) << kind;
    }

    void aLockThatIsNotARegularFileIsNeitherOpenedNorRead()
    {
        QFETCH(QString, kind);
        const std::string fifo = Path("fifo");
        fs::remove(fifo);
        QVERIFY(mkfifo(fifo.c_str(), 0600) == 0);
        Write(Path("file"), "");
        if (kind == "FIFO")
            QVERIFY(mkfifo(Lock().c_str(), 0600) == 0);
        else
            fs::create_symlink(kind == "link to a FIFO" ? fifo : kind == "link to a file" ? Path("file") : "/dev/zero", Lock());
        const auto type = fs::symlink_status(Lock()).type();
        QCOMPARE(Store().Change(kStoreA).problem, Named(Lock()) + ": not a regular file");
        QVERIFY(fs::symlink_status(Lock()).type() == type && fs::is_fifo(fifo) && !fs::exists(Ini()));
        fs::remove(fifo);
    }

    void whatTakesTheFilesPlaceBetweenItsReadingAndItsReplacingIsLeftAlone_data()
    {
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QString>("swapIn");
        QTest::newRow("file, then a link to a FIFO") << true << "link to a FIFO";
        QTest::newRow("file, then another file") << true << "another file";
        QTest::newRow("nothing, then a FIFO") << false << "FIFO";
    }

    void whatTakesTheFilesPlaceBetweenItsReadingAndItsReplacingIsLeftAlone()
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
        QVERIFY(file.Problem().empty());
        fs::remove(Ini());
        if (swapIn == "link to a FIFO")
            fs::create_symlink(fifo, Ini());
        else if (swapIn == "FIFO")
            QVERIFY(mkfifo(Ini().c_str(), 0600) == 0);
        else
            Write(Ini(), "theirs");
        QCOMPARE(file.Replace("[General]\nk=new\n").value_or("replaced"),
                 Named(Ini()) + ": changed by another process while written; left as it is");
        if (swapIn == "another file")
            QCOMPARE(Text(Ini()), std::string("theirs"));
        else
            QVERIFY(fs::symlink_status(Ini()).type() == (swapIn == "FIFO" ? fs::file_type::fifo : fs::file_type::symlink));
        for (const fs::directory_entry& entry : fs::directory_iterator(m_dir.path().toStdString()))
            QVERIFY2(!entry.path().filename().string().starts_with("Quibo.ini.new-"), entry.path().c_str());
        fs::remove(fifo);
        fs::remove(Ini());
    }
};

QTEST_GUILESS_MAIN(SettingsHostileTest)
#include "SettingsHostileTest.moc"
