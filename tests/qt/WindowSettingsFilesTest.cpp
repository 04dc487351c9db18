// The settings file through the window: the recent-file list it keeps, a
// settings file that is not regular or is a link, written only on a change,
// two instances, the file prompts' own settings, and a lock never waited for.
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QUrl>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "shell/platform/CommandIds.h"
#include "shell/qt/QtAppPlatform.h"
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
        // Qt's store writes what it read, without the comment.
        QCOMPARE(text, "[General]\nother=kept\n\n[Recent%20File%20List]\nFile1=" + doc + "\nFile2=/old\n");
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

    void theFileDialogsOwnSettingsGetTheSameChecks_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"regular", "fifo", "link to a device"})
            QTest::newRow(kind) << kind;
    }

    void theFileDialogsOwnSettingsGetTheSameChecks()
    {
        // Qt's file dialog keeps the folders it visited in QtProject.conf,
        // here missing, a FIFO (which would block the window) or a link to
        // a device (which would be replaced).
        QFETCH(QString, kind);
        const std::string conf = m_config.path().toStdString() + "/QtProject.conf";
        const std::string device = m_files->path().toStdString() + "/null";
        std::filesystem::remove(conf);
        if (kind == "fifo") {
            QVERIFY(mkfifo(conf.c_str(), 0644) == 0);
        } else if (kind == "link to a device") {
            if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                QSKIP("only root makes a device node");
            QVERIFY(symlink(device.c_str(), conf.c_str()) == 0);
        }
        const auto type = std::filesystem::symlink_status(conf).type();

        // Whoever opens the FIFO to read it is let go, and seen.
        std::atomic<bool> dialogDone = false;
        std::atomic<bool> fifoRead = false;
        std::thread watcher([&] {
            while (kind == "fifo" && !dialogDone) {
                const int fd = open(conf.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    fifoRead = true;
                    close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
        const QString opened = m_files->path() + "/opened";
        QFile(opened).open(QIODevice::WriteOnly);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_OPEN); },
                  [&](QWidget* modal) {
                      qobject_cast<QFileDialog*>(modal)->setDirectory(m_files->path());  // as a user goes there
                      ChooseFile(opened)(modal);
                  });
        dialogDone = true;
        watcher.join();
        QCOMPARE(Q().App().RecentFiles().front(), opened.toStdString());

        QVERIFY(!fifoRead);
        if (kind == "link to a device")
            QVERIFY(std::filesystem::is_character_file(device));
        if (kind != "regular") {
            QVERIFY(std::filesystem::symlink_status(conf).type() == type);
        } else {
            // Made through the checks, where Qt's next dialog finds it.
            QSettings settings(QString::fromStdString(conf), QSettings::IniFormat);
            QCOMPARE(QUrl(settings.value("FileDialog/lastVisited").toString()).toLocalFile(), m_files->path());
        }
    }

    void openAndSaveAsNeverWaitForALockThatAnotherProcessHolds()
    {
        // Another process holds the locks of both settings files, as a
        // stopped instance would. Open and Save As go on at once, and what
        // they changed is kept once the locks are free.
        const std::string conf = m_config.path().toStdString() + "/QtProject.conf";
        std::filesystem::remove(conf);
        std::vector<int> held;
        std::filesystem::create_directories(std::filesystem::path(IniFile().toStdString()).parent_path());
        for (const std::string& lock : {IniFile().toStdString() + ".lock", conf + ".lock"}) {
            held.push_back(open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
            QVERIFY(held.back() >= 0 && flock(held.back(), LOCK_EX) == 0);
        }
        const QString opened = m_files->path() + "/opened";
        QFile(opened).open(QIODevice::WriteOnly);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_OPEN); },
                  [&](QWidget* modal) {
                      qobject_cast<QFileDialog*>(modal)->setDirectory(m_files->path());
                      ChooseFile(opened)(modal);
                  });
        Q().Window().RunCommand(ID_FILE_NEW);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_SAVE); }, ChooseFile(m_files->path() + "/saved"));
        QCOMPARE(Q().App().RecentFiles().front(), (m_files->path() + "/saved").toStdString());
        QVERIFY(!QFile::exists(IniFile()));
        for (int fd : held)
            close(fd);
        QTRY_VERIFY(QFile::exists(IniFile()));
        QSettings settings(IniFile(), QSettings::IniFormat);
        QCOMPARE(settings.value("Recent File List/File1").toString(), m_files->path() + "/saved");
        QCOMPARE(settings.value("Recent File List/File2").toString(), opened);
        QTRY_VERIFY(QSettings(QString::fromStdString(conf), QSettings::IniFormat).contains("FileDialog/lastVisited"));
    }
};

QTEST_MAIN(WindowSettingsFilesTest)
#include "WindowSettingsFilesTest.moc"
