// The settings file on its own: what Quibo writes Qt's settings store reads
// and the other way round, what is not Quibo's stays byte for byte, the
// limits, the places refused, and a write that fails leaving the file as
// it was.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "numtext/IniText.h"
#include "hosts/qt/settings/AppSettings.h"
#include "hosts/qt/settings/SettingsFile.h"
#include "hosts/qt/settings/SettingsStore.h"
#include "tests/qt/Environment.h"

using namespace quibo;

namespace {

std::string Text(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void Write(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A value as Quibo takes a name from Qt's store; "-" for what is no name.
std::string QtName(const QVariant& value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().toStdString();
    if (value.typeId() == QMetaType::QString)
        return QFile::encodeName(value.toString()).toStdString();
    return "-";
}

std::string OurName(const std::string& ini)
{
    const std::optional<IniValue> value = ReadIniValue(ini, "Recent File List", "File1");
    return !value || value->kind == IniValue::Kind::Other ? "-" : value->bytes;
}

const std::string kOthers = "; another program's comment\n[General]\nkeep = 1 ; theirs\n\n[Other%20Group]\nx=\"a, b\"\n";
const std::string kTail = "\n[Tail]\ny=2\n";

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::string Path(const char* name) const { return m_dir.filePath(name).toStdString(); }

private slots:
    void everyNameGoesThroughQtsStoreAsItIs()
    {
        const std::vector<std::string> names{
            "/plain/name",
            "/caf\xc3\xa9/\xe2\x82\xac \xf0\x9f\x98\x80",
            "/bad\xff\xfe" "abc",
            "/a,b;c=d \"quoted\" back\\slash",
            " /leading and trailing ",
            "/ctrl\x01" "a\x1f" "7\n\t\x7f",
            "@at the start",
            "\xef\xbb\xbf/byte-order mark first",
            "\x01\xef\xbb\xbf mark after an escape",
            "/" + std::string(4095, 'k'),
        };
        const std::string path = Path("names.ini");
        const std::string ini = kOthers + "[Recent%20File%20List]\nFile4=/old\n" + kTail;
        for (std::size_t first = 0; first < names.size(); ++first) {
            const std::vector<std::string> files{names[first], names[(first + 1) % names.size()]};
            const std::optional<std::string> edited = WithRecentFiles(ini, files);
            QVERIFY(edited && edited->starts_with(kOthers) && edited->ends_with(kTail));
            QCOMPARE(RecentFilesIn(*edited), files);
            Write(path, *edited);
            QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
            QCOMPARE(QtName(settings.value("Recent File List/File1")), files[0]);
            QCOMPARE(QtName(settings.value("Recent File List/File2")), files[1]);
            QVERIFY(!settings.contains("Recent File List/File4"));
            QCOMPARE(settings.value("keep").toString(), QString("1"));
            QCOMPARE(settings.value("Other Group/x").toString(), QString("a, b"));

            // Each line as Qt's store writes it itself.
            const IniValue value = IniValueOf(files[0]);
            QSettings qt(m_dir.filePath("qt.ini"), QSettings::IniFormat);
            qt.setValue("Recent File List/File1", value.kind == IniValue::Kind::Text
                                                      ? QVariant(QString::fromUtf8(value.bytes))
                                                      : QVariant(QByteArray::fromStdString(value.bytes)));
            qt.sync();
            const std::string line = edited->substr(edited->find("File1="));
            QCOMPARE(Text(Path("qt.ini")), "[Recent%20File%20List]\n" + line.substr(0, line.find('\n') + 1));
        }
    }

    void handWrittenTextReadsAsQtReadsIt_data()
    {
        QTest::addColumn<std::string>("ini");
        const std::string group = "[Recent%20File%20List]\n";
        const std::vector<std::pair<const char*, std::string>> rows{
            {"quoted, with a comment", group + "File1 = \"/d;e\" ;note\n"},
            {"a list", group + "File1=/a, /b\n"},
            {"a number", group + "File1=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"},
            {"invalid", group + "File1=@Invalid()\n"},
            {"bytes beyond Latin-1", group + "File1=@ByteArray(\xc3\xa9\xe2\x82\xac\\x100)\n"},
            {"a rectangle that is not one", group + "File1=@Rect(1 2)\n"},
            {"a string", group + "File1=@String(abc)\n"},
            {"escapes", group + "File1=\\101\\x41\\q\\\\\\x10041\\777777x\n"},
            {"a line continued", group + "File1=x\\\ny\n"},
            {"a quoted line break", group + "File1=\"multi\nline\"\n"},
            {"quotes and blanks", group + "File1=\"a\" b \"c\"  \t\n"},
            {"a byte-order mark first", group + "File1=\xef\xbb\xbf" "bom\n"},
            {"bad UTF-8", group + "File1=\xe2\x82" "A\xff\xed\xa0\x80\n"},
            {"UTF-8 split by an escape", group + "File1=\xc3\\x41\xa9\n"},
            {"a lone surrogate", group + "File1=\\xd800z\n"},
            {"the file's byte-order mark", "\xef\xbb\xbf" + group + "File1=/a\n"},
            {"the key escaped", group + "File%31=/a\n"},
            {"two sections, the last one wins", group + "File1=/a\n[Other]\n" + group + "File1=/b\n"},
            {"another case", "[recent%20file%20list]\nFile1=/a\n"},
            {"in General, which Qt does not look at", "Recent%20File%20List\\File1=/a\n"},
            {"a header in quotes", "x=\"\n" + group + "\"\nFile1=/a\n"},
            {"a comment line", group + "; File1=/a\nFile1=/b ; c\n"},
        };
        for (const auto& [name, ini] : rows)
            QTest::newRow(name) << ini;
    }

    void handWrittenTextReadsAsQtReadsIt()
    {
        QFETCH(std::string, ini);
        // A name of its own: Qt's store keeps what it read of a file whose
        // size and time look the same.
        const QString path = m_dir.filePath(QTest::currentDataTag());
        Write(path.toStdString(), ini);
        const QSettings settings(path, QSettings::IniFormat);
        QCOMPARE(OurName(ini), QtName(settings.value("Recent File List/File1")));
    }

    void anEditChangesOnlyItsKeys_data()
    {
        QTest::addColumn<std::string>("before");
        QTest::addColumn<std::vector<std::string>>("files");
        QTest::addColumn<std::string>("after");
        const std::string group = "[Recent%20File%20List]\n";
        QTest::newRow("a new file") << std::string() << std::vector<std::string>{"/a"} << group + "File1=/a\n";
        QTest::newRow("after another group")
            << std::string("[View]\nBits=true") << std::vector<std::string>{"/a"}
            << "[View]\nBits=true\n\n" + group + "File1=/a\n";
        QTest::newRow("in place, after the last key, duplicates gone")
            << "; mine\n" + group + "File2=/x\r\nFile1 = /old ; note\nFile2=/y\n; next\n[View]\n"
            << std::vector<std::string>{"/a", "/b", "/c"}
            << "; mine\n" + group + "File1 = /a ; note\nFile2=/b\nFile3=/c\n; next\n[View]\n";
        QTest::newRow("fewer files") << group + "File1=/x\nFile2=/y\nFile3=/z" << std::vector<std::string>{"/a"}
                                     << group + "File1=/a\n";
        QTest::newRow("a quote left open at the end")
            << std::string("[General]\nx=\"open\n") << std::vector<std::string>{"/a"} << std::string("(none)");
    }

    void anEditChangesOnlyItsKeys()
    {
        QFETCH(std::string, before);
        QFETCH(std::vector<std::string>, files);
        QFETCH(std::string, after);
        QCOMPARE(WithRecentFiles(before, files).value_or("(none)"), after);
    }

    void theBitsPanelIsShownOnlyByTrue()
    {
        for (const auto& [line, shown] : std::vector<std::pair<std::string, bool>>{
                 {"Bits=true", true}, {"Bits = \"true\"", true}, {"Bits=false", false}, {"Bits=1", false}, {"", false}})
            QVERIFY2(ViewFlagIn("[View]\n" + line + "\n", "Bits") == shown, line.c_str());
        QCOMPARE(WithViewFlag("[View]\nBits=false\n", "Bits", true).value_or("(none)"), std::string("[View]\nBits=true\n"));
    }

    void aTextOverOneMebibyteIsNotWritten()
    {
        const SettingsStore::Result huge = SettingsStore(SettingsPlace::At(Path("huge.ini"))).Change(
            [](const std::string&) { return std::string(SettingsFile::kMaxBytes + 1, 'x'); });
        QVERIFY(huge.problem.ends_with("larger than 1 MiB") && !QFile::exists(m_dir.filePath("huge.ini")));
    }

    void aWriteThatFailsLeavesTheFileAsItWas()
    {
        // A file size limit fails the new file's writing at every length, as
        // a full disk does: the file is then as it was, or whole and new.
        const QTemporaryDir dir;
        const std::string path = dir.filePath("limited.ini").toStdString();
        const std::string old = "[General]\nkept=yes\n\n[Recent%20File%20List]\nFile1=/old\n";
        const std::string edited = *WithRecentFiles(old, {"/new", "/old"});
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &limit) == 0);
        const rlimit unlimited = limit;
        for (rlim_t bytes = 0; bytes <= edited.size(); ++bytes) {
            Write(path, old);
            limit.rlim_cur = bytes;
            QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
            const SettingsStore::Result result = SettingsStore(SettingsPlace::At(path)).Change(
                [](const std::string& text) { return WithRecentFiles(text, {"/new", "/old"}); });
            QVERIFY(setrlimit(RLIMIT_FSIZE, &unlimited) == 0);
            const bool whole = bytes == edited.size();
            QCOMPARE(Text(path), whole ? edited : old);
            QCOMPARE(result.problem, whole ? std::string() : "\"" + path + "\": File too large");
            // Beside it only its lock: no new file left.
            QCOMPARE(int(std::distance(std::filesystem::directory_iterator(dir.path().toStdString()), {})), 2);
        }
        std::signal(SIGXFSZ, SIG_DFL);
    }

    void aReplacedFileKeepsItsOwnerGroupAndMode()
    {
        if (geteuid() != 0)
            QSKIP("only root can give a file away");
        const std::string path = Path("theirs.ini");
        Write(path, "[Recent%20File%20List]\nFile1=/a\n");
        QVERIFY(chown(path.c_str(), 65534, 65534) == 0 && chmod(path.c_str(), 0640) == 0);
        QVERIFY(SettingsStore(SettingsPlace::At(path))
                    .Change([](const std::string& text) { return WithRecentFiles(text, {"/b", "/a"}); })
                    .problem.empty());
        struct stat info {};
        QVERIFY(stat(path.c_str(), &info) == 0);
        QVERIFY(info.st_uid == 65534 && info.st_gid == 65534 && (info.st_mode & 07777) == 0640);
        QCOMPARE(RecentFilesIn(Text(path)), std::vector<std::string>({"/b", "/a"}));
    }

    void onlyAFolderOfTheUsersOwnThatOthersCannotChangeIsAPlace()
    {
        const Environment noConfig("XDG_CONFIG_HOME", nullptr);
        const Environment home("HOME", m_dir.path().toLocal8Bit().constData());
        QCOMPARE(UserSettingsPlace("Folder/Quibo.ini").Path(), Path(".config/Folder/Quibo.ini"));
        std::filesystem::create_directories(Path(".config"));
        Write(Path("file"), "");
        QCOMPARE(UserSettingsPlace("../file/Folder/Quibo.ini").problem, "\"" + Path(".config/../file") + "\": not a folder");

        // Others may write in the folder only where the sticky bit keeps
        // them from renaming what is not theirs.
        std::filesystem::create_directories(Path(".config/Folder"));
        for (const auto& [mode, refused] : std::vector<std::pair<mode_t, bool>>{{0700, false}, {0777, true}, {01777, false}}) {
            QVERIFY(chmod(Path(".config/Folder").c_str(), mode) == 0);
            QCOMPARE(UserSettingsPlace("Folder/Quibo.ini").problem.ends_with("it has no sticky bit"), refused);
        }
        if (geteuid() != 0)
            return;
        // Root with another user's HOME, as sudo without -H leaves it.
        QVERIFY(chown(m_dir.path().toLocal8Bit().constData(), 65534, 65534) == 0);
        QCOMPARE(UserSettingsPlace("Folder/Quibo.ini").problem, "HOME \"" + m_dir.path().toStdString() + "\" is another user's");
        QVERIFY(chown(m_dir.path().toLocal8Bit().constData(), 0, 0) == 0);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "SettingsTest.moc"
