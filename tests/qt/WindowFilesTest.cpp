// Documents and the settings file through the window: the caption, Open and
// Save, the recent-file list, files that are not regular, names that are
// bytes.
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "shell/platform/CommandIds.h"
#include "shell/qt/QtAppPlatform.h"
#include "tests/qt/WindowFixture.h"

using namespace quibo;

class WindowFilesTest : public QObject, WindowFixture {
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

    // Answers a message box with Enter, keeping its text.
    static std::function<void(QWidget*)> AnswerBox(std::vector<QString>& texts)
    {
        return [&texts](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                texts.push_back(box->text());
            QTest::keyClick(modal, Qt::Key_Enter);
        };
    }

    // Answers a file prompt as a user who types path and presses its button.
    static std::function<void(QWidget*)> ChooseFile(const QString& path)
    {
        return [path](QWidget* modal) {
            if (auto* name = modal->findChild<QLineEdit*>("fileNameEdit"))
                name->setText(path);
            static_cast<QDialog*>(modal)->accept();
        };
    }

    // Save As onto path, answering No when asked to replace it; the question.
    QString SaveAsRefusingToReplace(const QString& path)
    {
        QString question;
        WithModal([this] { Q().Window().RunCommand(ID_FILE_SAVE); },
                  [&](QWidget* modal) {
                      if (auto* name = modal->findChild<QLineEdit*>("fileNameEdit"))
                          name->setText(path);
                      WithModal([modal] { static_cast<QDialog*>(modal)->accept(); },
                                [&](QWidget* box) {
                                    question = qobject_cast<QMessageBox*>(box)->text();
                                    qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
                                });
                      static_cast<QDialog*>(modal)->reject();
                  });
        return question;
    }

    // Sets a file's times to 2001, so that a change shows.
    static bool MakeOld(const std::string& path)
    {
        const timespec times[2] = {kOld, kOld};
        return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
    }
    static constexpr timespec kOld{1000000000, 0};

private slots:
    void initTestCase() { UsePrivateSettings(); }
    void init() { QVERIFY(StartWindow()); }
    void cleanup() { m_quibo.reset(); }

    void captionOpenSaveAndTheRecentFileList()
    {
        QCOMPARE(Q().Window().windowTitle(), QString(" - Quibo"));
        const QString folder = m_files->path();
        const QString opened = folder + "/notes";
        QFile file(opened);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me");
        file.close();

        Click(IDC_KEY_7);
        QString title;
        QStringList filters;
        bool listsNotes = false;
        const auto choose = [&](const QString& path) {
            return [&, path](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                title = modal->windowTitle();
                if (dialog) {
                    filters = dialog->nameFilters();
                    // "notes" has no dot, and the filter still shows it.
                    if (auto* model = dialog->findChild<QFileSystemModel*>())
                        listsNotes = QDir::match(model->nameFilters(), "notes");
                    // As a user types the path into the file name field.
                    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
                        name->setText(path);
                }
                static_cast<QDialog*>(modal)->accept();  // as the dialog's button does
            };
        };
        WithModal([this] { Q().Window().RunCommand(ID_FILE_OPEN); }, choose(opened));
        QCOMPARE(title, QString("Open"));
        QCOMPARE(filters, QStringList({"All Files (*.*)"}));
        QVERIFY(listsNotes);
        QCOMPARE(Q().Window().windowTitle(), QString("notes - Quibo"));
        QCOMPARE(Q().Form().GetDlgItemText(IDC_DISPLAY), std::string());  // the initial update ran
        // Save with a path leaves the opened file as it is.
        Q().Window().RunCommand(ID_FILE_SAVE);
        QFile check(opened);
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("keep me"));

        Q().Window().RunCommand(ID_FILE_NEW);
        QCOMPARE(Q().Window().windowTitle(), QString(" - Quibo"));
        const QString saved = folder + "/saved.qb";
        WithModal([this] { Q().Window().RunCommand(ID_FILE_SAVE); }, choose(saved));
        QCOMPARE(title, QString("Save As"));
        QCOMPARE(Q().Window().windowTitle(), QString("saved.qb - Quibo"));
        QVERIFY(QFile::exists(saved));
        QCOMPARE(QFile(saved).size(), 0);

        // Most recent first; kept at exit, read at the next start.
        Q().Exit();
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Local AppWizard-Generated Applications",
                           "Quibo");
        settings.beginGroup("Recent File List");
        QCOMPARE(settings.value("File1").toString(), saved);
        QCOMPARE(settings.value("File2").toString(), opened);
        QVERIFY(!settings.contains("File3"));
    }

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

    void documentsAreRegularFilesOnly()
    {
        // A FIFO is neither opened (that would wait for a writer) nor
        // emptied by Save As.
        const std::string fifo = m_files->path().toStdString() + "/fifo";
        QVERIFY(mkfifo(fifo.c_str(), 0644) == 0);
        std::vector<QString> texts;
        WithModal([&] { QVERIFY(!Q().App().InitInstance(fifo)); }, AnswerBox(texts));
        WithModal([&] { QVERIFY(!Q().App().InitInstance("/dev/null")); }, AnswerBox(texts));
        QCOMPARE(texts, std::vector<QString>({"Failed to open document.", "Failed to open document."}));
        QCOMPARE(Q().Window().windowTitle(), QString(" - Quibo"));
        QtAppPlatform platform(Q().Window(), Q().Form());
        QVERIFY(!platform.CreateEmpty(fifo));
        QVERIFY(std::filesystem::is_fifo(fifo));
        QVERIFY(!platform.CreateEmpty("/dev/null"));
    }

    void openAndSaveLeaveAnOpenedFileAsItWas()
    {
        // Open reads nothing and changes nothing; Save with a path writes
        // nothing; Save As asks before it replaces a file, naming it.
        const std::string doc = m_files->path().toStdString() + "/keep.txt";
        {
            std::ofstream file(doc);
            file << "precious";
        }
        QVERIFY(MakeOld(doc));
        QVERIFY(Q().App().InitInstance(doc));
        Q().Window().RunCommand(ID_FILE_SAVE);
        struct stat info {};
        QVERIFY(stat(doc.c_str(), &info) == 0);
        QCOMPARE(info.st_size, off_t(8));
        QCOMPARE(info.st_mtim.tv_sec, kOld.tv_sec);
        QCOMPARE(info.st_atim.tv_sec, kOld.tv_sec);

        Q().Window().RunCommand(ID_FILE_NEW);
        const QString question = SaveAsRefusingToReplace(QString::fromStdString(doc));
        QVERIFY2(question.contains("keep.txt already exists"), qPrintable(question));
        QVERIFY(stat(doc.c_str(), &info) == 0);
        QCOMPARE(info.st_size, off_t(8));
    }

    void fileNamesAreTheSystemsBytes()
    {
        const std::string folder = m_files->path().toStdString();
        const std::string cafe = folder + "/caf\xc3\xa9.txt";
        const std::string bad = folder + "/bad\xff\xfe.txt";  // not valid UTF-8
        for (const std::string& path : {cafe, bad})
            QVERIFY(close(open(path.c_str(), O_WRONLY | O_CREAT, 0644)) == 0);

        QVERIFY(Q().App().InitInstance(cafe));
        QCOMPARE(Q().Window().windowTitle(), QString::fromUtf8("caf\xc3\xa9.txt - Quibo"));
        QVERIFY(Q().App().InitInstance(bad));
        QCOMPARE(Q().Window().windowTitle(), QStringLiteral(u"bad\uFFFD\uFFFD.txt - Quibo"));

        std::vector<QString> texts;
        WithModal([&] { QVERIFY(!Q().App().InitInstance(folder + "/miss\xc3\xa9.txt")); }, AnswerBox(texts));
        QCOMPARE(texts, std::vector<QString>({QString::fromUtf8(folder + "/miss\xc3\xa9.txt was not found.")}));

        // The prompts give names as text; the file is found by what it shows.
        const QString shownFolder = QString::fromStdString(folder);
        Q().Window().RunCommand(ID_FILE_NEW);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_OPEN); },
                  ChooseFile(shownFolder + QStringLiteral(u"/bad\uFFFD\uFFFD.txt")));
        QCOMPARE(Q().App().RecentFiles().front(), bad);
        Q().Window().RunCommand(ID_FILE_NEW);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_SAVE); }, ChooseFile(shownFolder + QStringLiteral(u"/n\u00e9.txt")));
        QCOMPARE(access((folder + "/n\xc3\xa9.txt").c_str(), F_OK), 0);

        // A new file in a folder whose name text cannot hold goes into that
        // folder; Save As over a file whose name it cannot hold asks first.
        const std::string odd = folder + "/dir\xff";
        QVERIFY(mkdir(odd.c_str(), 0755) == 0);
        Q().Window().RunCommand(ID_FILE_NEW);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_SAVE); }, ChooseFile(shownFolder + QStringLiteral(u"/dir\uFFFD/new")));
        QCOMPARE(access((odd + "/new").c_str(), F_OK), 0);
        const int fd = open(bad.c_str(), O_WRONLY | O_TRUNC);
        QVERIFY(fd >= 0 && write(fd, "keep", 4) == 4 && close(fd) == 0);
        Q().Window().RunCommand(ID_FILE_NEW);
        const QString question = SaveAsRefusingToReplace(shownFolder + QStringLiteral(u"/bad\uFFFD\uFFFD.txt"));
        QVERIFY2(question.contains(QStringLiteral(u"bad\uFFFD\uFFFD.txt already exists")), qPrintable(question));
        struct stat info {};
        QVERIFY(stat(bad.c_str(), &info) == 0);
        QCOMPARE(info.st_size, off_t(4));

        // The recent-file list keeps every name's bytes to the next start.
        Q().Exit();
        m_quibo = std::make_unique<QtQuibo>();
        QVERIFY(Q().Start(std::nullopt));
        const std::vector<std::string> expected{odd + "/new", folder + "/n\xc3\xa9.txt", bad, cafe};
        QCOMPARE(Q().App().RecentFiles(), expected);
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

    void aMissingFileIsReportedAndStartUpFails()
    {
        m_quibo.reset();
        m_quibo = std::make_unique<QtQuibo>();
        QString text;
        bool started = true;
        WithModal([&] { started = Q().Start(std::string("/nonexistent/quibo-file")); },
                  [&](QWidget* modal) {
                      text = qobject_cast<QMessageBox*>(modal)->text();
                      QTest::keyClick(modal, Qt::Key_Enter);
                  });
        QVERIFY(!started);
        QCOMPARE(text, QString("/nonexistent/quibo-file was not found."));
        QVERIFY(!Q().Window().isVisible());
    }

    void aFolderCannotBeOpened()
    {
        // A folder is no document.
        std::vector<QString> texts;
        WithModal([&] { QVERIFY(!Q().App().InitInstance(m_files->path().toStdString())); }, AnswerBox(texts));
        QCOMPARE(texts, std::vector<QString>({"Failed to open document."}));
        QCOMPARE(Q().Window().windowTitle(), QString(" - Quibo"));
    }
};

QTEST_MAIN(WindowFilesTest)
#include "WindowFilesTest.moc"
