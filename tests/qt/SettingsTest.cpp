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
