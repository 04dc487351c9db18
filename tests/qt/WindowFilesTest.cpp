// Documents through the window: the caption, Open and Save, files that are
// not regular, names that are bytes, a file that cannot be opened.
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPushButton>
#include <QSettings>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/CommandIds.h"
#include "hosts/qt/QtAppPlatform.h"
#include "tests/qt/WindowFixture.h"

using namespace quibo;

class WindowFilesTest : public QObject, WindowFixture {
    Q_OBJECT

private:
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
