// The window on the offscreen platform: what the templates and tables say
// it shows, and the commands of the frame and the application.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "shell/platform/CommandIds.h"
#include "shell/qt/Latin1Text.h"
#include "shell/qt/QtTranslations.h"
#include "shell/qt/QtAppPlatform.h"
#include "shell/qt/QtQuibo.h"
#include "shell/res/Menu.h"
#include "shell/res/Strings.h"

using namespace quibo;

namespace {

// Runs answer on the next modal window that opens, while action runs.
void WithModal(const std::function<void()>& action, const std::function<void(QWidget*)>& answer)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            answer(modal);
            timer->deleteLater();
        }
    });
    timer->start(10);
    action();
}

QStringList LabelTexts(QWidget* dialog)
{
    QStringList texts;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QtQuibo> m_quibo;
    QTemporaryDir m_config;                  // the settings folder of the whole run
    std::unique_ptr<QTemporaryDir> m_files;  // each test's own files

    QString IniFile() const { return m_config.path() + "/Local AppWizard-Generated Applications/Quibo.ini"; }

    QtQuibo& Q() { return *m_quibo; }
    void Click(ControlId id) { QTest::mouseClick(Q().Form().Control(id), Qt::LeftButton); }

private slots:
    void initTestCase()
    {
        // The settings file of the whole run, away from the user's.
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    }

    void init()
    {
        std::filesystem::remove_all(IniFile().toStdString());
        m_files = std::make_unique<QTemporaryDir>();
        m_quibo = std::make_unique<QtQuibo>();
        QVERIFY(Q().Start(std::nullopt));
        Q().Window().show();
        Q().Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Q().Window()));
    }

    void cleanup() { m_quibo.reset(); }

    void layoutFollowsTheTemplate()
    {
        const DialogUnits units(Q().Form().font());
        for (const ControlTemplate& control : kForm101.controls) {
            if (control.id == IDC_STATIC)
                continue;
            QCOMPARE(Q().Form().Control(control.id)->geometry(), units.Rect(control.rect));
        }
        QCOMPARE(Q().Form().size(), QSize(units.X(162), units.Y(211)));
        // Keys in six rows of five, "<<" one unit higher than its row.
        QCOMPARE(Q().Form().Control(IDC_KEY_SHIFT_LEFT)->y(), units.Y(121));
        QCOMPARE(Q().Form().Control(IDC_KEY_0)->y(), units.Y(122));
        // "&&" shows as "&"; the display never shows the template's "0".
        QCOMPARE(qobject_cast<QPushButton*>(Q().Form().Control(IDC_KEY_AND))->text().remove('&').size(), 0);
        QCOMPARE(Q().Form().GetDlgItemText(IDC_DISPLAY), std::string());
        // The window is as large as form, menu and status bar, and fixed.
        QCOMPARE(Q().Window().width(), Q().Form().width());
        QCOMPARE(Q().Window().minimumSize(), Q().Window().maximumSize());
        QVERIFY(!(Q().Window().windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void tabOrderIsTemplateOrder()
    {
        Q().Form().Control(IDC_KEY_SHIFT_RIGHT)->setFocus(Qt::TabFocusReason);
        for (ControlId next : {IDC_HEX_EDIT, IDC_DECIMAL_EDIT, IDC_KEY_BYTE_ORDER, IDC_KEY_MODULUS, IDC_KEY_D}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), Q().Form().Control(next));
        }
    }

    void menusFollowTheTable()
    {
        QStringList titles;
        for (QAction* action : Q().Window().menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, QStringList({"&File", "&Data Type", "&View", "&Help"}));
        for (const MenuEntry& entry : Menu128()) {
            if (entry.id == 0)
                continue;
            QAction* action = Q().Window().Action(entry.id);
            QVERIFY(action);
            QCOMPARE(action->text(), ToQString(entry.text));
        }
        QCOMPARE(Q().Window().Action(ID_VIEW_REMOVE_BORDER)->text(), QString("&Remove  Border"));
    }

    void qtTextsSpeakTheUsersLanguage()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QTranslator translator;
        const bool installed = InstallQtTranslations(translator);
        QLocale::setDefault(QLocale::c());
        QVERIFY2(installed, "no German Qt translations (Debian's qt6-translations-l10n)");
        // Qt's own: a box's buttons, a field's menu, the replace question.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Ja"));
        QCOMPARE(QLineEdit::tr("&Copy"), QString("&Kopieren"));
        QCoreApplication::removeTranslator(&translator);
    }

    void checkMarksComeFromTheUpdateHandlers()
    {
        const auto checked = [this](int id) { return Q().Window().Action(id)->isChecked(); };
        QVERIFY(checked(ID_TYPE_UNSIGNED_LONG));
        QVERIFY(!checked(ID_TYPE_CHAR));
        QVERIFY(checked(ID_VIEW_STATUS_BAR));
        QVERIFY(!checked(ID_VIEW_REMOVE_BORDER));
        QVERIFY(!checked(ID_VIEW_TOPMOST));
        QVERIFY(!Q().Window().Action(ID_HELP_INSTRUCTIONS)->isCheckable());
        Q().Window().Action(ID_TYPE_CHAR)->trigger();
        QVERIFY(checked(ID_TYPE_CHAR));
        QVERIFY(!checked(ID_TYPE_UNSIGNED_LONG));
    }

    void statusPaneShowsPromptsIdleTextAndTypeTexts()
    {
        QCOMPARE(Q().Window().GetPaneText(0), std::string(" "));
        const std::pair<int, const char*> prompts[] = {
            {ID_APP_EXIT, "Quit the application; prompts to save documents"},
            {ID_TYPE_UNSIGNED_CHAR, "unsigned char"},
            {ID_TYPE_UNSIGNED_LONG, "unsigned long"},
            {ID_TYPE_FLOAT, "Hex Converter Only"},
            {ID_VIEW_STATUS_BAR, "Show or hide the status bar"},
            {ID_VIEW_REMOVE_BORDER, "Remove Border"},
            {ID_VIEW_TOPMOST, "Sets calculator as topmost window"},
            {ID_APP_ABOUT, "Display program information, version number and copyright"},
            {ID_HELP_INSTRUCTIONS, "Help Instructions"},
        };
        for (const auto& [id, prompt] : prompts) {
            Q().Window().Action(id)->hover();
            QCOMPARE(Q().Window().GetPaneText(0), std::string(prompt));
        }
        // Choosing a type from its menu leaves its status text in the pane.
        QMenu* dataType = Q().Window().menuBar()->actions()[1]->menu();
        QMenu* integral = dataType->actions()[0]->menu();
        dataType->popup(QPoint(0, 0));
        integral->popup(QPoint(0, 0));
        QTest::qWait(20);
        QAction* shortItem = Q().Window().Action(ID_TYPE_SHORT);
        QTest::mouseClick(integral, Qt::LeftButton, {}, integral->actionGeometry(shortItem).center());
        QTest::qWait(20);
        dataType->hide();
        QTest::qWait(20);
        QCOMPARE(Q().Window().GetPaneText(0), std::string("Short Data Type"));
        // Other commands leave the idle text.
        Q().Window().Action(ID_VIEW_STATUS_BAR)->hover();
        Q().Window().Action(ID_VIEW_STATUS_BAR)->trigger();
        QCOMPARE(Q().Window().GetPaneText(0), std::string(" "));
        Q().Window().RunCommand(ID_VIEW_STATUS_BAR);
    }

    void viewTogglesCheckAndChangeTheWindow()
    {
        Q().Window().RunCommand(ID_VIEW_REMOVE_BORDER);
        QVERIFY(Q().Window().Action(ID_VIEW_REMOVE_BORDER)->isChecked());
        QVERIFY(!(Q().Window().windowFlags() & Qt::WindowTitleHint));
        Q().Window().RunCommand(ID_VIEW_REMOVE_BORDER);
        QVERIFY(!Q().Window().Action(ID_VIEW_REMOVE_BORDER)->isChecked());
        QVERIFY(Q().Window().windowFlags() & Qt::WindowTitleHint);

        Q().Window().RunCommand(ID_VIEW_TOPMOST);
        QVERIFY(Q().Window().Action(ID_VIEW_TOPMOST)->isChecked());
        QVERIFY(Q().Window().windowFlags() & Qt::WindowStaysOnTopHint);
        Q().Window().RunCommand(ID_VIEW_TOPMOST);
        QVERIFY(!(Q().Window().windowFlags() & Qt::WindowStaysOnTopHint));

        Q().Window().RunCommand(ID_VIEW_STATUS_BAR);
        QVERIFY(!Q().Window().statusBar()->isVisible());
        QVERIFY(!Q().Window().Action(ID_VIEW_STATUS_BAR)->isChecked());
        Q().Window().RunCommand(ID_VIEW_STATUS_BAR);
        QVERIFY(Q().Window().statusBar()->isVisible());
    }

    void aboutAndHelpShowTheirTexts()
    {
        Click(IDC_KEY_5);
        QStringList about;
        QString aboutTitle;
        WithModal([this] { Q().Window().RunCommand(ID_APP_ABOUT); },
                  [&](QWidget* dialog) {
                      aboutTitle = dialog->windowTitle();
                      about = LabelTexts(dialog);
                      QTest::keyClick(dialog, Qt::Key_Escape);
                  });
        QCOMPARE(aboutTitle, QString("About Quibo"));
        QCOMPARE(about, QStringList({"Quibo Version " QUIBO_VERSION}));

        QStringList help;
        QString helpTitle;
        WithModal([this] { Q().Window().RunCommand(ID_HELP_INSTRUCTIONS); },
                  [&](QWidget* dialog) {
                      helpTitle = dialog->windowTitle();
                      help = LabelTexts(dialog);
                      for (QPushButton* button : dialog->findChildren<QPushButton*>())
                          if (button->text() == "Cancel")
                              button->click();
                  });
        QCOMPARE(helpTitle, QString("Quibo Help"));
        QCOMPARE(help.size(), 13);
        QVERIFY(help.contains("&  Bitwise AND operator"));
        QVERIFY(help.contains("<<  Shift Left operator,  >>  Shift Right operator"));
        QVERIFY(help.contains("The Hex Calculator only functions with integral data types such as Short, Long, and "
                              "Chars.  It does not function with Reals such as Floats or Doubles. "));
        // Nothing in the calculator changed.
        QCOMPARE(Q().Form().GetDlgItemText(IDC_DISPLAY), std::string("5"));
    }

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

    void aLinkedSettingsFileStaysALinkAndKeepsItsOtherLines()
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
        const timespec old{1000000000, 0};
        const timespec times[2] = {old, old};
        QVERIFY(utimensat(AT_FDCWD, IniFile().toLocal8Bit().constData(), times, 0) == 0);
        OpenAndExit(std::nullopt);
        OpenAndExit(doc);  // already first
        struct stat after {};
        QVERIFY(stat(IniFile().toLocal8Bit().constData(), &after) == 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mtim.tv_sec, old.tv_sec);
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
        const auto answer = [&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                texts.push_back(box->text());
            QTest::keyClick(modal, Qt::Key_Enter);
        };
        WithModal([&] { QVERIFY(!Q().App().InitInstance(fifo)); }, answer);
        WithModal([&] { QVERIFY(!Q().App().InitInstance("/dev/null")); }, answer);
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
        const timespec old{1000000000, 0};
        const timespec times[2] = {old, old};
        QVERIFY(utimensat(AT_FDCWD, doc.c_str(), times, 0) == 0);
        QVERIFY(Q().App().InitInstance(doc));
        Q().Window().RunCommand(ID_FILE_SAVE);
        struct stat info {};
        QVERIFY(stat(doc.c_str(), &info) == 0);
        QCOMPARE(info.st_size, off_t(8));
        QCOMPARE(info.st_mtim.tv_sec, old.tv_sec);
        QCOMPARE(info.st_atim.tv_sec, old.tv_sec);

        Q().Window().RunCommand(ID_FILE_NEW);
        QString question;
        WithModal([this] { Q().Window().RunCommand(ID_FILE_SAVE); },
                  [&](QWidget* modal) {
                      if (auto* name = modal->findChild<QLineEdit*>("fileNameEdit"))
                          name->setText(QString::fromStdString(doc));
                      WithModal([modal] { static_cast<QDialog*>(modal)->accept(); },
                                [&](QWidget* box) {
                                    question = qobject_cast<QMessageBox*>(box)->text();
                                    qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
                                });
                      static_cast<QDialog*>(modal)->reject();
                  });
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

        QString text;
        const auto answer = [&](QWidget* modal) {
            text = qobject_cast<QMessageBox*>(modal)->text();
            QTest::keyClick(modal, Qt::Key_Enter);
        };
        WithModal([&] { QVERIFY(!Q().App().InitInstance(folder + "/miss\xc3\xa9.txt")); }, answer);
        QCOMPARE(text, QString::fromUtf8(folder + "/miss\xc3\xa9.txt was not found."));

        // The prompts give names as text; the file is found by what it shows.
        const auto choose = [](const QString& path) {
            return [path](QWidget* modal) {
                if (auto* name = modal->findChild<QLineEdit*>("fileNameEdit"))
                    name->setText(path);
                static_cast<QDialog*>(modal)->accept();
            };
        };
        Q().Window().RunCommand(ID_FILE_NEW);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_OPEN); }, choose(QString::fromStdString(folder) + QStringLiteral(u"/bad\uFFFD\uFFFD.txt")));
        QCOMPARE(Q().App().RecentFiles().front(), bad);
        Q().Window().RunCommand(ID_FILE_NEW);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_SAVE); }, choose(QString::fromStdString(folder) + QStringLiteral(u"/n\u00e9.txt")));
        QCOMPARE(access((folder + "/n\xc3\xa9.txt").c_str(), F_OK), 0);

        // A new file in a folder whose name text cannot hold goes into that
        // folder; Save As over a file whose name it cannot hold asks first.
        const std::string odd = folder + "/dir\xff";
        QVERIFY(mkdir(odd.c_str(), 0755) == 0);
        Q().Window().RunCommand(ID_FILE_NEW);
        WithModal([this] { Q().Window().RunCommand(ID_FILE_SAVE); },
                  choose(QString::fromStdString(folder) + QStringLiteral(u"/dir\uFFFD/new")));
        QCOMPARE(access((odd + "/new").c_str(), F_OK), 0);
        const int fd = open(bad.c_str(), O_WRONLY | O_TRUNC);
        QVERIFY(fd >= 0 && write(fd, "keep", 4) == 4 && close(fd) == 0);
        Q().Window().RunCommand(ID_FILE_NEW);
        QString question;
        WithModal([this] { Q().Window().RunCommand(ID_FILE_SAVE); },
                  [&](QWidget* modal) {
                      if (auto* name = modal->findChild<QLineEdit*>("fileNameEdit"))
                          name->setText(QString::fromStdString(folder) + QStringLiteral(u"/bad\uFFFD\uFFFD.txt"));
                      // The prompt's button, then No to the question.
                      WithModal([modal] { static_cast<QDialog*>(modal)->accept(); },
                                [&](QWidget* box) {
                                    question = qobject_cast<QMessageBox*>(box)->text();
                                    qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
                                });
                      static_cast<QDialog*>(modal)->reject();
                  });
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

    void keysArePressedByMouseSpaceAndEnter()
    {
        Click(IDC_KEY_5);
        QTest::keyClick(Q().Form().Control(IDC_KEY_5), Qt::Key_Space);
        Q().Form().Control(IDC_KEY_ADD)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Q().Form().Control(IDC_KEY_ADD), Qt::Key_Return);
        Click(IDC_KEY_1);
        Q().Form().Control(IDC_KEY_EQUALS)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Q().Form().Control(IDC_KEY_EQUALS), Qt::Key_Enter);
        QCOMPARE(Q().Form().GetDlgItemText(IDC_DISPLAY), std::string("56"));
    }

    void aFolderCannotBeOpened()
    {
        std::vector<QString> texts;
        const auto answer = [&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                texts.push_back(box->text());
            QTest::keyClick(modal, Qt::Key_Enter);
        };
        // A folder is no document.
        WithModal([&] { QVERIFY(!Q().App().InitInstance(m_files->path().toStdString())); }, answer);
        QCOMPARE(texts, std::vector<QString>({"Failed to open document."}));
        QCOMPARE(Q().Window().windowTitle(), QString(" - Quibo"));
    }

    void everyControlHasItsAccessibleNameAndRole()
    {
        // Everything reachable from the window, as a screen reader walks it.
        QSet<QObject*> reachable;
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            if (!node || reachable.contains(node->object()))
                return;
            reachable.insert(node->object());
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i));
        };
        walk(QAccessible::queryAccessibleInterface(&Q().Window()));

        for (const ControlTemplate& control : kForm101.controls) {
            if (control.id == IDC_STATIC)
                continue;
            QWidget* widget = Q().Form().Control(control.id);
            QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
            QVERIFY2(node && reachable.contains(widget), control.text);
            const QAccessible::Role role = control.kind == ControlKind::PushButton ? QAccessible::Button
                                           : control.kind == ControlKind::Edit     ? QAccessible::EditableText
                                                                                   : QAccessible::StaticText;
            QCOMPARE(node->role(), role);
            const QString name = *control.accessibleName ? ToQString(control.accessibleName)
                                                         : ToQString(Q().Form().GetDlgItemText(control.id));
            QCOMPARE(node->text(QAccessible::Name), name);
            QCOMPARE(node->text(QAccessible::Description), ToQString(control.accessibleDescription));
            QVERIFY2(!node->text(QAccessible::Description).isEmpty(), control.text);
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(Q().Form().Control(IDC_KEY_SHIFT_LEFT))->text(QAccessible::Name),
                 QString("Shift left"));
        QCOMPARE(QAccessible::queryAccessibleInterface(Q().Form().Control(IDC_KEY_AND))->text(QAccessible::Name),
                 QString("Bitwise AND"));

        // The byte-order key is named after what its caption says.
        QAccessibleInterface* byteOrder = QAccessible::queryAccessibleInterface(Q().Form().Control(IDC_KEY_BYTE_ORDER));
        Click(IDC_KEY_BYTE_ORDER);
        QCOMPARE(byteOrder->text(QAccessible::Name), QString("Byte order: Intel (little-endian)"));
        Click(IDC_KEY_BYTE_ORDER);
        QCOMPARE(byteOrder->text(QAccessible::Name), QString("Byte order: Motorola (big-endian)"));
        // ...and shows its caption as text, as the display and BINARY show
        // their values under names that stay.
        const auto shown = [](QAccessibleInterface* node) {
            QAccessibleTextInterface* text = node->textInterface();
            return text ? text->text(0, text->characterCount()) : QString("(no text)");
        };
        QCOMPARE(shown(byteOrder), QString("Mot"));
        QCOMPARE(shown(QAccessible::queryAccessibleInterface(Q().Form().Control(IDC_KEY_AND))), QString("&"));
        Click(IDC_KEY_9);
        QAccessibleInterface* display = QAccessible::queryAccessibleInterface(Q().Form().Control(IDC_DISPLAY));
        QAccessibleInterface* binary = QAccessible::queryAccessibleInterface(Q().Form().Control(IDC_BINARY));
        QCOMPARE(display->text(QAccessible::Name), QString("Display"));
        QCOMPARE(shown(display), QString("9"));
        QCOMPARE(binary->text(QAccessible::Name), QString("Binary"));
        QCOMPARE(shown(binary), QString("0000 0000 0000 0000 0000 0000 0000 1001"));
        Click(IDC_KEY_CLEAR);
        QCOMPARE(display->text(QAccessible::Name), QString("Display"));
        QCOMPARE(shown(display), QString());

        // Each converter caption labels its control.
        for (const auto& [caption, id] : {std::pair{"HEX", IDC_HEX_EDIT}, {"DECIMAL", IDC_DECIMAL_EDIT},
                                          {"BINARY", IDC_BINARY}}) {
            const auto labels = QAccessible::queryAccessibleInterface(Q().Form().Control(id))->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels.front().first->text(QAccessible::Name), QString(caption));
        }
        // The lock-key panes are named whether or not their key is locked.
        QStringList panes;
        for (QLabel* pane : Q().Window().statusBar()->findChildren<QLabel*>())
            panes << QAccessible::queryAccessibleInterface(pane)->text(QAccessible::Name);
        QVERIFY2(panes.contains("Caps Lock") && panes.contains("Num Lock") && panes.contains("Scroll Lock"),
                 qPrintable(panes.join(", ")));

        // The data types are one choice, of radio items.
        QAccessibleInterface* charItem = QAccessible::queryAccessibleInterface(Q().Window().Action(ID_TYPE_CHAR));
        QAccessibleInterface* longItem = QAccessible::queryAccessibleInterface(Q().Window().Action(ID_TYPE_UNSIGNED_LONG));
        QCOMPARE(charItem->role(), QAccessible::RadioButton);
        QCOMPARE(charItem->text(QAccessible::Name), QString("char"));
        QVERIFY(charItem->state().checkable && !charItem->state().checked && longItem->state().checked);
        charItem->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(charItem->state().checked);
        QVERIFY(!longItem->state().checked);
        QCOMPARE(charItem->parent()->object(), Q().Window().Action(ID_TYPE_CHAR)->associatedObjects().front());
    }

    void aCharacterBeyondLatin1IsOnePlace()
    {
        // The caret stays where it was among the places.
        qsizetype caret = 4;  // after "a", the emoji's two halves and "b"
        QCOMPARE(InLatin1Places(QString::fromUtf8("a\xF0\x9F\x98\x80" "b\xE2\x82\xAC"), &caret),
                 QString("a?b?"));
        QCOMPARE(caret, qsizetype(3));
        caret = 1;
        QCOMPARE(InLatin1Places(QString::fromUtf8("a\xF0\x9F\x98\x80"), &caret), QString("a?"));
        QCOMPARE(caret, qsizetype(1));
        // A lone half is one place too.
        QCOMPARE(InLatin1Places(QString(QChar(0xD83D)) + "1"), QString("?1"));

        // A key that types an emoji types one place, and into a full field
        // over a selection it is refused as any typed character.
        FieldEdit* field = Q().Form().Field(IDC_HEX_EDIT);
        QTest::mouseClick(field, Qt::LeftButton);
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::sendKeyEvent(QTest::KeyAction::Click, field, Qt::Key_unknown, emoji, Qt::NoModifier);
        QCOMPARE(field->text(), QString("?"));
        field->SetProgramText("123456789");
        field->SetLimit(8);
        field->setSelection(0, 1);
        QTest::sendKeyEvent(QTest::KeyAction::Click, field, Qt::Key_unknown, emoji, Qt::NoModifier);
        QCOMPARE(field->text(), QString("123456789"));

        // A paste is an undo step of its own, converted or not.
        field->SetLimit(32);
        field->SetProgramText("");
        for (const QString& pasted : {QString("34"), emoji + "4"}) {
            field->clear();
            QTest::keyClicks(field, "12");
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(field->text(), "12" + InLatin1Places(pasted));
            QTest::keyClicks(field, "5");
            QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(field->text(), "12" + InLatin1Places(pasted));
            QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(field->text(), QString("12"));
        }
    }

    void editsKeepWhatTheLimitAllows_data()
    {
        // The field holds text (maybe more than limit), the selection is
        // [start, start + length), then the user types or pastes input.
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("paste over all, longer") << "123456789" << 8 << 0 << 9 << "FFFFFFFFF" << false << "FFFFFFFF";
        QTest::newRow("paste over all, starts the same") << "123456789" << 8 << 0 << 9 << "1234567890" << false << "12345678";
        QTest::newRow("paste over all, as long") << "A00" << 2 << 0 << 3 << "df4" << false << "df";
        QTest::newRow("paste over all, shorter") << "123456789" << 8 << 0 << 9 << "AB" << false << "AB";
        QTest::newRow("paste over part") << "12345" << 8 << 1 << 2 << "ABCDEFG" << false << "1ABCDE45";
        QTest::newRow("paste over part, over limit") << "123456789" << 8 << 2 << 3 << "ABCD" << false << "12AB6789";
        QTest::newRow("paste over one, over limit") << "123456789" << 8 << 0 << 1 << "AB" << false << "23456789";
        QTest::newRow("paste at caret, full") << "12345678" << 8 << 4 << 0 << "AB" << false << "12345678";
        QTest::newRow("paste at caret, room for one") << "1234567" << 8 << 7 << 0 << "AB" << false << "1234567A";
        QTest::newRow("type at end, over limit") << "123456789" << 8 << 9 << 0 << "A" << true << "123456789";
        QTest::newRow("type over one, over limit") << "123456789" << 8 << 0 << 1 << "A" << true << "123456789";
        QTest::newRow("type over two, over limit") << "123456789" << 8 << 0 << 2 << "A" << true << "A3456789";
        QTest::newRow("type over one, full") << "12345678" << 8 << 3 << 1 << "A" << true << "123A5678";
    }

    void editsKeepWhatTheLimitAllows()
    {
        QFETCH(QString, text);
        QFETCH(int, limit);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, input);
        QFETCH(bool, typed);
        QFETCH(QString, expected);
        FieldEdit* field = Q().Form().Field(IDC_DECIMAL_EDIT);
        QTest::mouseClick(field, Qt::LeftButton);
        field->SetProgramText(text);
        field->SetLimit(limit);
        field->setSelection(start, length);
        if (typed) {
            QTest::keyClicks(field, input);
        } else {
            QGuiApplication::clipboard()->setText(input);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(field->text(), expected);
    }

    void undoBringsBackWhatTheFieldHeld()
    {
        // Whatever the limit, as an edit's undo does; the limit then still
        // refuses typing.
        FieldEdit* field = Q().Form().Field(IDC_DECIMAL_EDIT);
        QTest::mouseClick(field, Qt::LeftButton);
        field->SetProgramText("A00");
        field->SetLimit(2);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QString("A0"));
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(field->text(), QString("A00"));
        QTest::keyClicks(field, "12");
        QCOMPARE(field->text(), QString("A00"));
        QTest::keyClick(field, Qt::Key_Backspace);
        Q().Window().RunCommand(ID_EDIT_UNDO);  // Alt+Backspace
        QCOMPARE(field->text(), QString("A00"));
        QTest::keyClicks(field, "3");
        QCOMPARE(field->text(), QString("A00"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, "4");
        QCOMPARE(field->text(), QString("A0"));
        // A screen reader's insertion into the full field changes nothing,
        // and typing stays limited after it.
        QAccessible::queryAccessibleInterface(field)->editableTextInterface()->insertText(2, "99");
        QCOMPARE(field->text(), QString("A0"));
        QTest::keyClicks(field, "7");
        QCOMPARE(field->text(), QString("A0"));
    }

    void editsBesidesTypingConvertToo()
    {
        // A screen reader's edit (Qt makes it with setText) and an undo are
        // the user's changes as much as typing is.
        QtForm& form = Q().Form();
        FieldEdit* decimal = form.Field(IDC_DECIMAL_EDIT);
        QTest::mouseClick(decimal, Qt::LeftButton);
        QAccessibleEditableTextInterface* editable =
            QAccessible::queryAccessibleInterface(decimal)->editableTextInterface();
        QVERIFY(editable);
        editable->insertText(0, "255");
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("000000FF"));
        QTest::keyClick(decimal, Qt::Key_Backspace);
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("00000019"));
        QTest::keyClick(decimal, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("255"));
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("000000FF"));
    }

    void clipboardKeysActOnTheFocusedField()
    {
        QtForm& form = Q().Form();
        QTest::mouseClick(form.Field(IDC_DECIMAL_EDIT), Qt::LeftButton);
        QTest::keyClicks(form.Field(IDC_DECIMAL_EDIT), "4660");
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("00001234"));
        form.Field(IDC_DECIMAL_EDIT)->selectAll();
        Q().Window().RunCommand(ID_EDIT_COPY);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("4660"));
        Q().Window().RunCommand(ID_EDIT_CUT);
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("00000000"));
        Q().Window().RunCommand(ID_EDIT_UNDO);
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("4660"));

        // Pasting into HEX keeps what its limit allows, and converts.
        QTest::mouseClick(form.Field(IDC_HEX_EDIT), Qt::LeftButton);
        form.Field(IDC_HEX_EDIT)->selectAll();
        QGuiApplication::clipboard()->setText("FFFFFFFF1");
        Q().Window().RunCommand(ID_EDIT_PASTE);
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("FFFFFFFF"));
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("4294967295"));

        // With a key focused, nothing happens.
        Click(IDC_KEY_1);
        QGuiApplication::clipboard()->setText("9");
        Q().Window().RunCommand(ID_EDIT_PASTE);
        QCOMPARE(form.GetDlgItemText(IDC_DISPLAY), std::string("1"));
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
