// The floor for Quibo's start-up: a Qt Widgets window with the same widgets
// as Quibo's form (31 push buttons, 2 line edits, 5 labels, 3 group boxes),
// a menu bar and a status bar, and nothing else.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.statusBar()->showMessage(QStringLiteral(" "));

    auto* form = new QWidget;
    form->setFixedSize(270, 370);
    for (int i = 0; i < 3; ++i)
        (new QGroupBox(QStringLiteral("Group"), form))->setGeometry(5, 5 + 120 * i, 260, 110);
    for (int i = 0; i < 31; ++i)
        (new QPushButton(QString::number(i), form))->setGeometry(10 + 40 * (i % 5), 20 + 28 * (i / 5), 36, 24);
    for (int i = 0; i < 2; ++i)
        (new QLineEdit(form))->setGeometry(10 + 130 * i, 250, 120, 22);
    for (int i = 0; i < 5; ++i)
        (new QLabel(QStringLiteral("Label"), form))->setGeometry(10 + 50 * i, 300, 45, 16);
    window.setCentralWidget(form);
    window.show();
    return QApplication::exec();
}
