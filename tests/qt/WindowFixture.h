// What the window suites share: a started window on the offscreen platform,
// its settings and files away from the user's, and answering modal windows.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hosts/qt/QtQuibo.h"

namespace quibo {

// Runs answer on the next modal window that opens, while action runs.
inline void WithModal(const std::function<void()>& action, const std::function<void(QWidget*)>& answer)
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

inline QStringList LabelTexts(QWidget* dialog)
{
    QStringList texts;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

// Answers a message box with Enter, keeping its text.
inline std::function<void(QWidget*)> AnswerBox(std::vector<QString>& texts)
{
    return [&texts](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            texts.push_back(box->text());
        QTest::keyClick(modal, Qt::Key_Enter);
    };
}

// Answers a file prompt as a user who types path and presses its button.
inline std::function<void(QWidget*)> ChooseFile(const QString& path)
{
    return [path](QWidget* modal) {
        if (auto* name = modal->findChild<QLineEdit*>("fileNameEdit"))
            name->setText(path);
        static_cast<QDialog*>(modal)->accept();
    };
}

// A time long past (2001): a file set to it shows any change.
inline constexpr timespec kOld{1000000000, 0};

// Sets a file's times to kOld.
inline bool MakeOld(const std::string& path)
{
    const timespec times[2] = {kOld, kOld};
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

class WindowFixture {
protected:
    std::unique_ptr<QtQuibo> m_quibo;
    QTemporaryDir m_config;                  // the settings folder of the whole run
    std::unique_ptr<QTemporaryDir> m_files;  // each test's own files

    QString IniFile() const { return m_config.path() + "/Local AppWizard-Generated Applications/Quibo.ini"; }
    QtQuibo& Q() { return *m_quibo; }
    void Click(ControlId id) { QTest::mouseClick(Q().Form().Control(id), Qt::LeftButton); }

    // For initTestCase: the settings file of the whole run, away from the user's.
    void UsePrivateSettings() { qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit()); }

    // For init: a fresh window with no settings file, shown and active.
    bool StartWindow()
    {
        std::filesystem::remove_all(IniFile().toStdString());
        m_files = std::make_unique<QTemporaryDir>();
        m_quibo = std::make_unique<QtQuibo>();
        if (!Q().Start(std::nullopt))
            return false;
        Q().Window().show();
        Q().Window().activateWindow();
        return QTest::qWaitForWindowActive(&Q().Window());
    }
};

}  // namespace quibo
