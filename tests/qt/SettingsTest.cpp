// The settings file as Qt's own settings store reads and writes it: what
// Quibo writes, QSettings reads back name for name, and the other way
// round, so files of earlier versions and other tools stay good.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <vector>

#include "shell/RecentFileIni.h"

using namespace quibo;

namespace {

const std::vector<std::string>& Names()
{
    static const std::vector<std::string> names{
        "/plain/name",
        "/caf\xc3\xa9/\xe2\x82\xac \xf0\x9f\x98\x80",
        "/bad\xff\xfe" "abc",
        "/a,b;c=d \"quoted\" back\\slash",
        " /leading and trailing ",
        "/ctrl\x01\x1f\x7f" "7",
        "@at the start",
    };
    return names;
}

QVariant AsStored(const std::string& name)
{
    // As Quibo 1.4 stored names: text when the text gives the bytes back.
    const QByteArray bytes = QByteArray::fromStdString(name);
    const QString text = QFile::decodeName(bytes);
    return QFile::encodeName(text) == bytes ? QVariant(text) : QVariant(bytes);
}

std::string FromStored(const QVariant& value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().toStdString();
    return QFile::encodeName(value.toString()).toStdString();
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void qtReadsWhatQuiboWrites()
    {
        // A file of its own for each name: QSettings keeps what it read of a
        // file whose size and time have not changed.
        int round = 0;
        for (const std::string& name : Names()) {
            const QString path = m_dir.filePath(QString("written%1.ini").arg(++round));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray::fromStdString(WriteRecentFileSection("[General]\nkeep=1\n", {name, "/second"})));
            file.close();
            QSettings settings(path, QSettings::IniFormat);
            settings.beginGroup("Recent File List");
            QVERIFY2(FromStored(settings.value("File1")) == name, (EncodeIniValue(name) + " read as " + FromStored(settings.value("File1"))).c_str());
            QCOMPARE(FromStored(settings.value("File2")), std::string("/second"));
            settings.endGroup();
            QCOMPARE(settings.value("keep").toString(), QString("1"));
        }
    }

    void handEditedFilesReadAsQtReadsThem_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[Recent%20File%20List]\nFile1=/a\n");
        QTest::newRow("blanks in the brackets") << QByteArray("[ Recent%20File%20List ]\nFile1=/a\n");
        QTest::newRow("header without its bracket")
            << QByteArray("[Recent%20File%20List]\nFile1=/a\n[Other\nFile2=/b\n");
        QTest::newRow("comment after a value") << QByteArray("[Recent%20File%20List]\nFile1=/a ;note\nFile2=\"/b;c\"\n");
        QTest::newRow("continued line") << QByteArray("[Recent%20File%20List]\nFile1=/a\\\n/b\nFile2=/c\n");
        QTest::newRow("quotes over a line end") << QByteArray("[Recent%20File%20List]\nFile1=\"/a\n/b\"\nFile2=/c\n");
        QTest::newRow("carriage returns only") << QByteArray("[Recent%20File%20List]\rFile1=/a\rFile2=/b\r");
        QTest::newRow("blanks around keys") << QByteArray("[Recent%20File%20List]\n  File1 =  /a  \n\tFile2\t=\t\"/b \"\n");
        QTest::newRow("escaped key") << QByteArray("[Recent%20File%20List]\nFile%31=/a\n");
        QTest::newRow("octal and hex escapes") << QByteArray("[Recent%20File%20List]\nFile1=/\\101\\x42\\x43d\n");
    }

    void handEditedFilesReadAsQtReadsThem()
    {
        QFETCH(QByteArray, ini);
        const QString path = m_dir.filePath(QString("hand%1.ini").arg(QTest::currentDataTag()).remove(' '));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(ini);
        file.close();
        QSettings settings(path, QSettings::IniFormat);
        settings.beginGroup("Recent File List");
        std::vector<std::string> byQt;
        for (int i = 1; i <= 4; ++i) {
            const QVariant value = settings.value(QString("File%1").arg(i));
            if (value.isValid() && !FromStored(value).empty())
                byQt.push_back(FromStored(value));
        }
        QVERIFY(!byQt.empty());
        QCOMPARE(ReadRecentFileSection(ini.toStdString()), byQt);
    }

    void quiboReadsWhatQtWrites()
    {
        int round = 0;
        for (const std::string& name : Names()) {
            const QString path = m_dir.filePath(QString("qt%1.ini").arg(++round));
            {
                QSettings settings(path, QSettings::IniFormat);
                settings.beginGroup("Recent File List");
                settings.setValue("File1", AsStored(name));
                settings.setValue("File2", AsStored("/second"));
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const std::string text = file.readAll().toStdString();
            const std::vector<std::string> expected{name, "/second"};
            QVERIFY2(ReadRecentFileSection(text) == expected, text.c_str());
        }
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "SettingsTest.moc"
