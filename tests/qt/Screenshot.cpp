// quibo-screenshot FILE.png [--type NAME] [KEY...]: starts Quibo, chooses
// the data type, clicks the keys given (digits, operators, as quibo-cli
// names them) and saves a picture of the window. Used for the README's
// screenshot (script/screenshot).
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <string_view>
#include <vector>

#include "app/DataTypeCommands.h"

#include "res/Templates.h"
#include "replay/Action.h"
#include "hosts/qt/QtQuibo.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quibo-screenshot FILE.png [--type NAME] [KEY...]\n");
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
    int first = 2;
    if (argc > 3 && argv[2] == std::string_view("--type")) {
        const std::optional<quibo::DataType> type = quibo::DataTypeByName(argv[3]);
        if (!type) {
            std::fprintf(stderr, "no data type %s\n", argv[3]);
            return 2;
        }
        quibo.Window().RunCommand(quibo::FindDataTypeCommand(*type)->id);
        first = 4;
    }
    for (int i = first; i < argc; ++i) {
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
