// The settings store on its own: names through Qt's store and back, the
// size limit, the owner kept, the places refused, the lock's reason.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/qt/settings/AppSettings.h"
#include "shell/qt/settings/SettingsFile.h"
#include "shell/qt/settings/SettingsFolder.h"
#include "shell/qt/settings/SettingsLock.h"
#include "shell/qt/settings/SettingsPlace.h"
#include "shell/qt/settings/SettingsStore.h"
#include "tests/qt/Environment.h"

using namespace quibo;

namespace {

std::string ReadAll(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(unreadable)");
}

bool WriteAll(const std::string& path, const std::string& text)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly) && file.write(text.data(), qint64(text.size())) == qint64(text.size());
}

bool Done(const SettingsStore::Result& result)
{
    if (result.outcome != SettingsStore::Outcome::Done)
        qWarning("%s", result.problem.c_str());
    return result.outcome == SettingsStore::Outcome::Done;
}

std::vector<std::string> Stored(const SettingsStore& store)
{
    std::vector<std::string> files;
    if (store.Read([&](QSettings& settings) { files = RecentFilesIn(settings); }))
        files = {"(not read)"};
    return files;
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::string Path(const char* name) const { return m_dir.filePath(name).toStdString(); }

private slots:
    void everyNameComesBackAsItWas()
    {
        const std::vector<std::string> names{
            "/plain/name",
            "/caf\xc3\xa9/\xe2\x82\xac \xf0\x9f\x98\x80",
            "/bad\xff\xfe" "abc",
            "/a,b;c=d \"quoted\" back\\slash",
            " /leading and trailing ",
            "/ctrl\x01\x1f\x7f" "7\n",
            "@at the start",
        };
        const std::string path = Path("names.ini");
        QVERIFY(WriteAll(path, "[General]\nkeep=1\n[Recent%20File%20List]\nFile4=/old\n"));
        const SettingsStore store(SettingsPlace::At(path));
        for (std::size_t first = 0; first < names.size(); ++first) {
            const std::vector<std::string> files{names[first], names[(first + 1) % names.size()]};
            QVERIFY(Done(store.Edit([&](QSettings& settings) {
                StoreRecentFiles(settings, files);
                return true;
            })));
            QVERIFY2(Stored(store) == files, ReadAll(path).c_str());
        }
        // Qt's store reads the file as any other program of the user's
        // would, with the other keys kept and the keys after the list gone.
        QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
        QCOMPARE(settings.value("keep").toString(), QString("1"));
        QCOMPARE(settings.value("Recent File List/File1").toString(), QString("@at the start"));
        QVERIFY(!settings.contains("Recent File List/File3") && !settings.contains("Recent File List/File4"));
    }

    void handEditedValuesOfAnotherKindAreSkipped()
    {
        const std::string path = Path("hand.ini");
        QVERIFY(WriteAll(path, "\xEF\xBB\xBF[Recent%20File%20List]\nFile1=/a, /b\nFile2=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
                               "File3=\n File4 = \"/d;e\" ;note\n[Other\n"));
        QCOMPARE(Stored(SettingsStore(SettingsPlace::At(path))), std::vector<std::string>({"/d;e"}));
    }

    void theBitsPanelIsShownOnlyByTrue()
    {
        const std::pair<const char*, bool> values[] = {
            {"Bits=true", true}, {"Bits=false", false}, {"Bits=yes", false}, {"Bits=1", false}, {"", false}};
        for (const auto& [line, shown] : values) {
            const std::string path = Path("view.ini");
            QVERIFY(WriteAll(path, std::string("[View]\n") + line + "\n"));
            bool read = !shown;
            QVERIFY(!SettingsStore(SettingsPlace::At(path)).Read([&](QSettings& settings) { read = BitsShownIn(settings); }));
            QVERIFY2(read == shown, line);
        }
    }

    void aFileOverOneMebibyteIsNeitherReadNorWritten()
    {
        const std::string path = Path("large.ini");
        QVERIFY(WriteAll(path, "[Recent%20File%20List]\nFile1=/a\n"));
        QVERIFY(truncate(path.c_str(), SettingsFile::kMaxBytes + 1) == 0);
        const SettingsStore store(SettingsPlace::At(path));
        const std::optional<std::string> read = store.Read([](QSettings&) { QFAIL("read"); });
        QVERIFY(read && read->ends_with("larger than 1 MiB"));
        const SettingsStore::Result written = store.Edit([](QSettings&) { return true; });
        QVERIFY(written.problem.ends_with("larger than 1 MiB"));
        struct stat info {};
        QVERIFY(stat(path.c_str(), &info) == 0 && info.st_size == SettingsFile::kMaxBytes + 1);
        const SettingsStore::Result huge = SettingsStore(SettingsPlace::At(Path("huge.ini"))).Edit([](QSettings& settings) {
            settings.setValue("k", QString(SettingsFile::kMaxBytes, 'x'));
            return true;
        });
        QVERIFY(huge.problem.ends_with("larger than 1 MiB"));
        QVERIFY(!QFile::exists(QString::fromStdString(Path("huge.ini"))));
    }

    void aReplacedFileKeepsItsOwnerAndGroup()
    {
        if (geteuid() != 0)
            QSKIP("only root can give a file away");
        const std::string path = Path("theirs.ini");
        QVERIFY(WriteAll(path, "[Recent%20File%20List]\nFile1=/a\n"));
        QVERIFY(chown(path.c_str(), 65534, 65534) == 0 && chmod(path.c_str(), 0600) == 0);
        QVERIFY(Done(SettingsStore(SettingsPlace::At(path)).Edit([](QSettings& settings) {
            StoreRecentFiles(settings, {"/b", "/a"});
            return true;
        })));
        struct stat info {};
        QVERIFY(stat(path.c_str(), &info) == 0);
        QCOMPARE(info.st_uid, uid_t(65534));
        QCOMPARE(info.st_gid, gid_t(65534));
        QCOMPARE(info.st_mode & 07777, mode_t(0600));
        QCOMPARE(Stored(SettingsStore(SettingsPlace::At(path))), std::vector<std::string>({"/b", "/a"}));
    }

    void onlyAnAbsoluteHomeOfTheUsersOwnIsAPlace()
    {
        const Environment noConfig("XDG_CONFIG_HOME", nullptr);
        for (const char* home : {static_cast<const char*>(nullptr), "", "relative/home"}) {
            const Environment environment("HOME", home);
            const SettingsPlace place = UserSettingsPlace("Folder/Quibo.ini");
            QVERIFY2(place.path.empty() && place.problem.starts_with("HOME is not"), place.problem.c_str());
        }
        const Environment relativeConfig("XDG_CONFIG_HOME", "relative/config");
        const Environment home("HOME", m_dir.path().toLocal8Bit().constData());
        QCOMPARE(UserSettingsPlace("Folder/Quibo.ini").path, Path(".config/Folder/Quibo.ini"));

        if (geteuid() != 0)
            return;
        // Root with another user's HOME: neither that user's folder nor the
        // missing folders within it are the effective user's.
        const std::string theirs = Path("theirs");
        QVERIFY(mkdir(theirs.c_str(), 0755) == 0 && chown(theirs.c_str(), 65534, 65534) == 0);
        const Environment theirHome("HOME", theirs.c_str());
        const SettingsPlace place = UserSettingsPlace("Folder/Quibo.ini");
        QVERIFY(place.path.empty());
        QCOMPARE(place.problem, theirs + ": owned by another user");
    }

    void theLockSaysWhyItCannotBeHad()
    {
        // A file size limit of 0 fails the lock file's line as a full disk
        // fails it.
        const std::string path = Path("limited.ini");
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old {};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
        rlimit none = old;
        none.rlim_cur = 0;
        const SettingsFolder folder(SettingsPlace::At(path), SettingsFolder::Make::No);
        SettingsLock lock(folder);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &none) == 0);
        const SettingsLock::State state = lock.Try();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_DFL);
        QVERIFY(state == SettingsLock::State::Failed);
        QCOMPARE(lock.Problem(), path + ".lock: cannot lock: File too large");
        QVERIFY(!QFile::exists(QString::fromStdString(path + ".lock")));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "SettingsTest.moc"
