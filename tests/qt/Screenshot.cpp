// quibo-screenshot FILE.png [ACTION...]: starts Quibo, does the quibo-cli
// style key actions given (digits, operators), and saves a picture of the
// window. Used for the README's screenshot (script/screenshot).
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <vector>

#include "shell/res/Templates.h"
#include "replay/Action.h"
#include "shell/qt/QtQuibo.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quibo-screenshot FILE.png [KEY...]\n");
        return 2;
    }
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/quibo/quibo-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    quibo::QtQuibo quibo;
    if (!quibo.Start(std::nullopt))
        return 1;
    quibo.Window().show();
    if (!QTest::qWaitForWindowExposed(&quibo.Window()))
        return 1;
    for (int i = 2; i < argc; ++i) {
        const auto key = quibo::FindKeypadKey(argv[i]);
        if (!key) {
            std::fprintf(stderr, "no key %s\n", argv[i]);
            return 2;
        }
        QTest::mouseClick(quibo.Form().Control(*key), Qt::LeftButton);
    }
    QTest::qWait(100);
    return quibo.Window().grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
