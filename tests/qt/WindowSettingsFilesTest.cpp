// The settings file through the window: the recent-file list it keeps, a
// settings file that is not regular or is a link, written only on a change,
// two instances, the file prompts (where they start, and Qt's own settings
// file left alone), and a lock never waited for.
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QDir>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/CommandIds.h"
#include "hosts/qt/QtAppPlatform.h"
#include "tests/qt/WindowFixture.h"

using namespace quibo;

class WindowSettingsFilesTest : public QObject, WindowFixture {
    Q_OBJECT

private:
    // A new instance that opens path (when given) and exits.
    void OpenAndExit(const std::optional<std::string>& path)
    {
        m_quibo = std::make_unique<QtQuibo>();
        QVERIFY(Q().Start(std::nullopt));
        if (path)
            QVERIFY(Q().App().InitInstance(*path));
        Q().Exit();
    }

    std::string Document(const char* name)
    {
        const std::string path = m_files->path().toStdString() + "/" + name;
        QFile file(QString::fromStdString(path));
        file.open(QIODevice::WriteOnly);
        return path;
    }

private slots:
    void initTestCase() { UsePrivateSettings(); }
    void init() { QVERIFY(StartWindow()); }
    void cleanup() { m_quibo.reset(); }

    void recentFileListHoldsFourAndSurvivesGarbage()
    {
        const QString folder = m_files->path();
        for (int i = 1; i <= 5; ++i) {
            const QString path = folder + QString("/f%1").arg(i);
            QFile(path).open(QIODevice::WriteOnly);
            Q().Form().setFocus();
            QVERIFY(Q().App().InitInstance(path.toStdString()));
        }
        QCOMPARE(Q().App().RecentFiles().size(), std::size_t(4));
        QCOMPARE(Q().App().RecentFiles().front(), (folder + "/f5").toStdString());

        // A settings file full of garbage: start-up still works.
        m_quibo.reset();
        QFile ini(IniFile());
        QDir().mkpath(m_config.path() + "/Local AppWizard-Generated Applications");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("\x01\x02[[[Recent File List\n=\n\xff\xfe garbage");
        ini.close();
        m_quibo = std::make_unique<QtQuibo>();
        QVERIFY(Q().Start(std::nullopt));
        QCOMPARE(Q().App().RecentFiles().size(), std::size_t(0));
    }

    void settingsThatAreNotARegularFileAreLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"fifo", "folder", "link to a fifo", "link to nothing"})
            QTest::newRow(kind) << kind;
    }

    void settingsThatAreNotARegularFileAreLeftAlone()
    {
        QFETCH(QString, kind);
        m_quibo.reset();
        const std::string ini = IniFile().toStdString();
        const std::string fifo = m_files->path().toStdString() + "/fifo";
        const std::string nowhere = m_files->path().toStdString() + "/nothing";
        QVERIFY(mkfifo(fifo.c_str(), 0644) == 0);
        std::filesystem::create_directories(std::filesystem::path(ini).parent_path());
        if (kind == "fifo")
            QVERIFY(mkfifo(ini.c_str(), 0644) == 0);
        else if (kind == "folder")
            QVERIFY(mkdir(ini.c_str(), 0755) == 0);
        else
            QVERIFY(symlink(kind == "link to a fifo" ? fifo.c_str() : nowhere.c_str(), ini.c_str()) == 0);
        const auto type = std::filesystem::symlink_status(ini).type();
        // Start-up reads nothing from it (a FIFO would block), exit writes
        // nothing to it.
        OpenAndExit(Document("doc"));
        QVERIFY(std::filesystem::symlink_status(ini).type() == type);
        QVERIFY(std::filesystem::status(fifo).type() == std::filesystem::file_type::fifo);
        QVERIFY(!std::filesystem::exists(nowhere));
    }

    void aLinkedSettingsFileStaysALinkAndKeepsItsOtherKeys()
    {
        m_quibo.reset();
        const std::string ini = IniFile().toStdString();
        const std::string real = m_files->path().toStdString() + "/real.ini";
        {
            std::ofstream file(real);
            file << "; my comment\n[General]\nother=kept\n\n[Recent%20File%20List]\nFile1=/old\n";
        }
        std::filesystem::create_directories(std::filesystem::path(ini).parent_path());
        QVERIFY(symlink(real.c_str(), ini.c_str()) == 0);
        const std::string doc = Document("doc");
        OpenAndExit(doc);
        QVERIFY(std::filesystem::is_symlink(ini));
        std::ifstream file(real);
        const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        QCOMPARE(text, "; my comment\n[General]\nother=kept\n\n[Recent%20File%20List]\nFile1=" + doc + "\nFile2=/old\n");
    }

    void settingsAreWrittenOnlyWhenTheListChanges()
    {
        const std::string doc = Document("doc");
        OpenAndExit(doc);
        struct stat before {};
        QVERIFY(stat(IniFile().toLocal8Bit().constData(), &before) == 0);
        QVERIFY(MakeOld(IniFile().toStdString()));
        OpenAndExit(std::nullopt);
        OpenAndExit(doc);  // already first
        struct stat after {};
        QVERIFY(stat(IniFile().toLocal8Bit().constData(), &after) == 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mtim.tv_sec, kOld.tv_sec);
    }

    void twoInstancesKeepWhatEachOpened()
    {
        // Both start from the same list and exit one after the other.
        m_quibo.reset();
        const std::string a = Document("a");
        const std::string b = Document("b");
        QtQuibo first;
        QtQuibo second;
        QVERIFY(first.Start(std::nullopt) && second.Start(std::nullopt));
        QVERIFY(first.App().InitInstance(a));
        QVERIFY(second.App().InitInstance(b));
        first.Exit();
        second.Exit();
        OpenAndExit(std::nullopt);
        const std::vector<std::string> both{b, a};
        QCOMPARE(Q().App().RecentFiles(), both);
    }

    void qtProjectConfIsNeitherReadNorWritten_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"regular", "FIFO"})
            QTest::newRow(kind) << kind;
    }

    void qtProjectConfIsNeitherReadNorWritten()
    {
        // Qt's file prompts keep the folders they visited in QtProject.conf,
        // which every Qt program of the user's shares.
        QFETCH(QString, kind);
        const std::string conf = m_config.path().toStdString() + "/QtProject.conf";
        std::filesystem::remove(conf);
        if (kind == "FIFO")
            QVERIFY(mkfifo(conf.c_str(), 0644) == 0);
        else
            std::ofstream(conf) << "[FileDialog]\nlastVisited=file:///elsewhere\n; another program's\n";
        QVERIFY(MakeOld(conf));
        struct stat before {};
        QVERIFY(stat(conf.c_str(), &before) == 0);
        // Whoever opens the FIFO to read it is let go, and seen.
        std::atomic<bool> dialogsDone = false;
        std::atomic<bool> fifoRead = false;
        std::thread watcher([&] {
            while (kind == "FIFO" && !dialogsDone) {
                if (const int fd = open(conf.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                    fifoRead = true;
                    close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
        const QString opened = m_files->path() + "/opened";
        QFile(opened).open(QIODevice::WriteOnly);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_OPEN); }, ChooseFile(opened));
        Q().Window().RunCommand(ID_FILE_NEW);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_SAVE); }, ChooseFile(m_files->path() + "/saved"));
        Q().Window().RunCommand(ID_FILE_NEW);
        for (int command : {ID_FILE_OPEN, ID_FILE_SAVE})
            WithModal([&] { Q().Window().RunCommand(command); }, [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        dialogsDone = true;
        watcher.join();
        QCOMPARE(Q().App().RecentFiles().front(), (m_files->path() + "/saved").toStdString());
        struct stat after {};
        QVERIFY(stat(conf.c_str(), &after) == 0 && !fifoRead);
        QVERIFY(after.st_ino == before.st_ino && after.st_size == before.st_size && after.st_mtim.tv_sec == kOld.tv_sec);
        QVERIFY(!std::filesystem::exists(conf + ".lock"));
    }

    void theFilePromptsStartInTheMostRecentFilesFolder()
    {
        const auto startsIn = [this](int command) {
            QString folder;
            WithModal([&] { Q().Window().RunCommand(command); },
                      [&](QWidget* modal) {
                          folder = qobject_cast<QFileDialog*>(modal)->directory().absolutePath();
                          QTest::keyClick(modal, Qt::Key_Escape);
                      });
            return folder;
        };
        QCOMPARE(startsIn(ID_FILE_OPEN), QDir::currentPath());
        const QString folder = m_files->path() + "/recent";
        QDir().mkpath(folder);
        QFile(folder + "/doc").open(QIODevice::WriteOnly);
        QVERIFY(Q().App().InitInstance((folder + "/doc").toStdString()));
        Q().Window().RunCommand(ID_FILE_NEW);
        QCOMPARE(startsIn(ID_FILE_OPEN), folder);
        QCOMPARE(startsIn(ID_FILE_SAVE), folder);
        QDir(folder).removeRecursively();
        QCOMPARE(startsIn(ID_FILE_OPEN), QDir::currentPath());
    }

    void openAndSaveAsNeverWaitForALockThatAnotherProcessHolds()
    {
        // Another process holds the lock, as a stopped instance would. Open
        // and Save As go on at once, and what they changed is kept once the
        // lock is free.
        std::filesystem::create_directories(std::filesystem::path(IniFile().toStdString()).parent_path());
        const int held = open((IniFile() + ".lock").toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        QVERIFY(held >= 0 && flock(held, LOCK_EX) == 0);
        const QString opened = m_files->path() + "/opened";
        QFile(opened).open(QIODevice::WriteOnly);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_OPEN); }, ChooseFile(opened));
        Q().Window().RunCommand(ID_FILE_NEW);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_SAVE); }, ChooseFile(m_files->path() + "/saved"));
        QCOMPARE(Q().App().RecentFiles().front(), (m_files->path() + "/saved").toStdString());
        QVERIFY(!QFile::exists(IniFile()));
        close(held);
        QTRY_VERIFY(QFile::exists(IniFile()));
        QSettings settings(IniFile(), QSettings::IniFormat);
        QCOMPARE(settings.value("Recent File List/File1").toString(), m_files->path() + "/saved");
        QCOMPARE(settings.value("Recent File List/File2").toString(), opened);
    }
};

QTEST_MAIN(WindowSettingsFilesTest)
#include "WindowSettingsFilesTest.moc"
