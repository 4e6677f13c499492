#include "framework/core/SettingsStore.h"
#include "support/PermissionsEnforced.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace lw;

namespace {

constexpr int kWritesPerChild = 50;

// Started by TwoProcessesWritingAtOnceLoseNothing as "<file>|<tag>": says it is ready, waits
// for a line on stdin so both writers start together, writes, and exits before any test runs.
const int g_writerChild = [] {
    const QString spec = qEnvironmentVariable("LW_SETTINGS_WRITER");
    if (spec.isEmpty())
        return 0;
    const QStringList parts = spec.split(u'|');
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    char go[8];
    if (parts.size() != 2 || !std::fgets(go, sizeof go, stdin))
        std::_Exit(2);
    CSettingsStore store(parts[0]);
    bool ok = true;
    for (int i = 0; i < kWritesPerChild; ++i) {
        const QString name = parts[1] + QString::number(i);
        ok = (i % 2 ? store.writeString(QStringLiteral("Workspace"), name, name)
                    : store.writeDWord(QStringLiteral("Workspace"), name, quint32(i))) &&
             ok;
    }
    std::_Exit(ok ? 0 : 1);
}();

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

int modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

QStringList leftovers(const QString& dir) {
    return QDir(dir).entryList({QStringLiteral("*.tmp-*")}, QDir::Files | QDir::Hidden);
}


// Collects the warnings a test provokes.
class WarningCapture {
public:
    WarningCapture() {
        messages().clear();
        m_previous =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
                if (type == QtWarningMsg)
                    messages() << msg;
            });
    }
    ~WarningCapture() { qInstallMessageHandler(m_previous); }
    static QStringList& messages() {
        static QStringList list;
        return list;
    }

private:
    QtMessageHandler m_previous = nullptr;
};

CSettingsTree reparsed(const CSettingsTree& tree) {
    const auto again = CSettingsTree::parse(tree.serialise());
    return again ? *again : CSettingsTree();
}

TEST(SettingsTree, EveryTypeAndAwkwardNameRoundTripsExactly) {
    const QString unicode =
        QString::fromUtf8("Fl\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x98\x80 \xe2\x80\xa8");
    const QString loneSurrogates = QString(QChar(0xd800)) + u'a' + QChar(0xdc00);
    struct Case {
        QString key, name;
        RegValue value;
    };
    const Case cases[] = {
        {QStringLiteral("Workspace"), QStringLiteral("zero"), RegValue::dword(0)},
        {QStringLiteral("Workspace"), QStringLiteral("max"), RegValue::dword(0xffffffffu)},
        {QStringLiteral("Workspace"), QStringLiteral("q"), RegValue::qword(0xfedcba9876543210ull)},
        {QStringLiteral("Workspace"), QStringLiteral("empty string"), RegValue::text(QString())},
        {QStringLiteral("Workspace"), QStringLiteral("escapes"),
         RegValue::text(QStringLiteral("a\\b\"c\nd\re\tf") + QChar(0) + QChar(0x1f) + QChar(0x7f))},
        {QStringLiteral("Workspace"), unicode, RegValue::text(unicode)},
        {QStringLiteral("Workspace"), QStringLiteral("lone"), RegValue::text(loneSurrogates)},
        {QStringLiteral("Workspace"), QStringLiteral("empty binary"), RegValue::bytes(QByteArray())},
        {QStringLiteral("Workspace"), QStringLiteral("long binary"),
         RegValue::bytes(QByteArray(100, '\xa5'))},
        {QStringLiteral("Workspace"), QString(), RegValue::text(QStringLiteral("unnamed"))},
        {QStringLiteral("Names"), QStringLiteral("\"quoted\"=x]\\y"), RegValue::dword(1)},
        {QStringLiteral("Names"), QStringLiteral(" [section] "), RegValue::dword(2)},
        {QStringLiteral("Names"), QStringLiteral("hex:01\\"), RegValue::text(QStringLiteral("=dword:1"))},
        {QStringLiteral("a]b\\[c]\\100%\\ pad "), QStringLiteral("v"), RegValue::dword(3)},
        {QStringLiteral("ctl") + QChar(u'\n') + QChar(u'\r') + loneSurrogates, QStringLiteral("v"),
         RegValue::dword(4)},
        {QStringLiteral(";not a comment"), QStringLiteral(";"), RegValue::dword(5)},
    };
    CSettingsTree tree;
    for (const Case& c : cases)
        tree.setValue(c.key, c.name, c.value);
    tree.createKey(QStringLiteral("Empty\\Nested Empty"));
    const CSettingsTree back = reparsed(tree);
    EXPECT_EQ(back, tree);
    EXPECT_EQ(back.serialise(), tree.serialise());
    for (const Case& c : cases)
        EXPECT_EQ(back.value(c.key, c.name), c.value) << qPrintable(c.key + u'/' + c.name);
    EXPECT_TRUE(back.keyExists(QStringLiteral("Empty\\Nested Empty")));
    EXPECT_TRUE(back.valueNames(QStringLiteral("Empty")).isEmpty());
}

TEST(SettingsTree, SerialisesReadablyInNameOrder) {
    CSettingsTree tree;
    tree.writeBinary(QStringLiteral("Workspace\\Keyboard-0"), QStringLiteral("Accelerators"),
                     QByteArray::fromHex("000102030405060708090a0b0c0d0e0f101112131415161718"));
    tree.writeString(QStringLiteral("Recent File List"), QStringLiteral("File1"),
                     QStringLiteral("/p/\"a\".html"));
    tree.writeDWord(QStringLiteral("Workspace"), QStringLiteral("TabbedDocuments"), 1);
    tree.writeDWord(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook"), 215);
    tree.writeQWord(QString(), QStringLiteral("Big"), 42);
    EXPECT_EQ(tree.serialise(),
              QByteArray("Loomwrite settings 1\n"
                         "\n[]\n\"Big\"=qword:000000000000002a\n"
                         "\n[Recent File List]\n\"File1\"=\"/p/\\\"a\\\".html\"\n"
                         "\n[Workspace]\n\"ApplicationLook\"=dword:000000d7\n"
                         "\"TabbedDocuments\"=dword:00000001\n"
                         "\n[Workspace\\Keyboard-0]\n\"Accelerators\"=hex:00,01,02,03,04,05,06,07,08,"
                         "09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\n  18\n"));

    // Keys with sub-keys and no values are implied, so the text grows with the paths it names
    // and not with their depth squared.
    CSettingsTree deep;
    deep.createKey(QStringLiteral("a\\b\\c"));
    EXPECT_EQ(deep.serialise(), QByteArray("Loomwrite settings 1\n\n[a\\b\\c]\n"));
}

TEST(SettingsTree, NamesCompareCaseInsensitivelyAndKeepFirstSpelling) {
    CSettingsTree tree;
    tree.writeDWord(QStringLiteral("WorkSpace\\Sub"), QStringLiteral("OptX"), 1);
    tree.writeDWord(QStringLiteral("\\workspace\\SUB\\"), QStringLiteral("OPTX"), 2);
    EXPECT_EQ(tree.readDWord(QStringLiteral("WORKSPACE\\sub"), QStringLiteral("optx")), 2u);
    EXPECT_EQ(tree.subKeys(QString()), QStringList{QStringLiteral("WorkSpace")});
    EXPECT_EQ(tree.subKeys(QStringLiteral("workspace")), QStringList{QStringLiteral("Sub")});
    EXPECT_EQ(tree.valueNames(QStringLiteral("Workspace\\Sub")), QStringList{QStringLiteral("OptX")});
    CSettingsTree otherSpelling;
    otherSpelling.writeDWord(QStringLiteral("workspace\\sub"), QStringLiteral("optx"), 2);
    EXPECT_FALSE(otherSpelling == tree);
}

TEST(SettingsTree, ValueOfAnotherTypeReadsAsMissing) {
    CSettingsTree tree;
    tree.writeString(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook"), QStringLiteral("215"));
    tree.writeQWord(QStringLiteral("Workspace"), QStringLiteral("Q"), 7);
    tree.writeDWord(QStringLiteral("Workspace"), QStringLiteral("D"), 7);
    EXPECT_FALSE(tree.readDWord(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook")));
    EXPECT_FALSE(tree.readDWord(QStringLiteral("Workspace"), QStringLiteral("Q")));
    EXPECT_FALSE(tree.readQWord(QStringLiteral("Workspace"), QStringLiteral("D")));
    EXPECT_FALSE(tree.readBinary(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook")));
    tree.writeDWord(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook"), 215);
    EXPECT_EQ(tree.readDWord(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook")), 215u);
    EXPECT_FALSE(tree.readString(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook")));
}

TEST(SettingsTree, DeletingAKeyTakesItsSubKeysOnly) {
    CSettingsTree tree;
    for (const char* key : {"a", "a\\b\\c", "a\\d", "a-x", "a0\\e"})
        tree.writeDWord(QLatin1String(key), QStringLiteral("v"), 1);
    EXPECT_EQ(tree.subKeys(QStringLiteral("a")), (QStringList{QStringLiteral("b"), QStringLiteral("d")}));
    EXPECT_EQ(tree.subKeys(QString()).size(), 3);
    EXPECT_TRUE(tree.deleteKey(QStringLiteral("A")));
    EXPECT_FALSE(tree.deleteKey(QStringLiteral("a")));
    EXPECT_FALSE(tree.keyExists(QStringLiteral("a\\b")));
    EXPECT_TRUE(tree.keyExists(QStringLiteral("a-x")) && tree.keyExists(QStringLiteral("a0\\e")));
    EXPECT_FALSE(tree.deleteValue(QStringLiteral("a-x"), QStringLiteral("w")));
    EXPECT_TRUE(tree.deleteValue(QStringLiteral("a-x"), QStringLiteral("V")));
    EXPECT_TRUE(tree.keyExists(QStringLiteral("a-x")));
    EXPECT_TRUE(tree.deleteKey(QString()));
    EXPECT_TRUE(tree.isEmpty());
    EXPECT_EQ(tree.serialise(), QByteArray("Loomwrite settings 1\n"));
    EXPECT_EQ(reparsed(tree), tree);
}

TEST(SettingsTree, ParseAcceptsHandEditsAndRejectsAnythingMalformed) {
    const QByteArray good = "\xef\xbb\xbfLoomwrite settings 1\r\n"
                            "; hand-edited\r\n\r\n"
                            "  [Workspace]  \r\n"
                            "\"A\"=dword:D7\r\n"
                            "\"B\"=hex:0A,\\\r\n"
                            "    ff\r\n";
    const auto tree = CSettingsTree::parse(good);
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->readDWord(QStringLiteral("Workspace"), QStringLiteral("A")), 215u);
    EXPECT_EQ(tree->readBinary(QStringLiteral("Workspace"), QStringLiteral("B")), QByteArray("\x0a\xff"));
    EXPECT_TRUE(CSettingsTree::parse(QByteArray()).value().isEmpty());
    const QString deepest =
        QStringLiteral("a\\").repeated(CSettingsTree::kMaxDepth - 1) + QStringLiteral("A");
    const auto deep =
        CSettingsTree::parse("Loomwrite settings 1\n[" + deepest.toUtf8() + "]\n\"v\"=dword:1\n");
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep->readDWord(deepest.toLower(), QStringLiteral("V")), 1u);
    EXPECT_EQ(reparsed(*deep), *deep);

    const QByteArray h = "Loomwrite settings 1\n[k]\n";
    const QByteArray bad[] = {
        "Loomwrite settings 2\n",
        "Loomwrite settings 1\n\"v\"=dword:1\n", // value outside any section
        h + "\"v\"=dword:123456789\n",
        h + "\"v\"=dword:\n",
        h + "\"v\"=qword:12345678901234567\n",
        h + "\"v\"=dword:1 trailing\n",
        h + "\"v\"=\"unterminated\n",
        h + "\"v\"=\"bad \\q escape\"\n",
        h + "\"v\"=\"short \\u12\"\n",
        h + "\"v\"=hex:1\n",
        h + "\"v\"=hex:01,\n",
        h + "\"v\"=hex:01,\\\n",
        h + "\"v\"=sz:x\n",
        h + "\"v\"\n",
        h + "v=dword:1\n",
        "Loomwrite settings 1\n[a\\\\b]\n",
        "Loomwrite settings 1\n[a\\]\n",
        "Loomwrite settings 1\n[%12]\n",
        "Loomwrite settings 1\n[unclosed\n",
        "Loomwrite settings 1\n[k]\n\"\xff\"=dword:1\n", // invalid UTF-8
    };
    for (const QByteArray& text : bad) {
        int line = 0;
        EXPECT_FALSE(CSettingsTree::parse(text, &line)) << text.constData();
        EXPECT_GE(line, 1);
    }
}

class SettingsStoreTest : public ::testing::Test {
protected:
    lwtest::ScratchDir scratch;
    QString dir() const { return scratch.file(QStringLiteral("Tarn")); }
    QString file() const { return dir() + QStringLiteral("/Loomwrite.reg"); }
};

TEST_F(SettingsStoreTest, DefaultPathHonoursXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", scratch.path().toUtf8());
    EXPECT_EQ(CSettingsStore::defaultFilePath(), scratch.path() + QStringLiteral("/Tarn/Loomwrite.reg"));
    EXPECT_EQ(CSettingsStore().filePath(), CSettingsStore::defaultFilePath());
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(CSettingsStore::defaultFilePath(),
              QDir::homePath() + QStringLiteral("/.config/Tarn/Loomwrite.reg"));
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST_F(SettingsStoreTest, ReadingCreatesNothingAndMissingValuesAreAbsent) {
    CSettingsStore store(file());
    EXPECT_FALSE(store.keyExists(QString()));
    EXPECT_FALSE(store.readDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons")));
    EXPECT_TRUE(store.subKeys(QString()).isEmpty());
    EXPECT_FALSE(store.deleteValue(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons")));
    EXPECT_TRUE(store.snapshot().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(file()));
}

TEST_F(SettingsStoreTest, WritesAreSeenByAnotherStoreAndKeepFileMode) {
    CSettingsStore writer(file()), reader(file());
    EXPECT_FALSE(reader.keyExists(QStringLiteral("Workspace")));
    ASSERT_TRUE(writer.writeDWord(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook"), 215));
    EXPECT_EQ(modeOf(file()), 0600);

    ASSERT_EQ(::chmod(QFile::encodeName(file()).constData(), 0640), 0);
    // Same size as before, so only the stamp's other parts can tell the two apart.
    ASSERT_TRUE(writer.writeDWord(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook"), 216));
    EXPECT_EQ(reader.readDWord(QStringLiteral("workspace"), QStringLiteral("APPLICATIONLOOK")), 216u);
    ASSERT_TRUE(writer.writeDWord(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook"), 217));
    EXPECT_EQ(reader.readDWord(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook")), 217u);
    EXPECT_EQ(modeOf(file()), 0640);

    ASSERT_TRUE(writer.apply([](CSettingsTree& t) {
        t.writeString(QStringLiteral("Recent File List"), QStringLiteral("File1"),
                      QStringLiteral("/a b.html"));
        t.writeBinary(QStringLiteral("Workspace\\Keyboard-0"), QStringLiteral("Accelerators"),
                      QByteArray("\x01\x00", 2));
        t.writeQWord(QString(), QStringLiteral("Q"), 1ull << 40);
    }));
    const CSettingsTree seen = reader.snapshot();
    EXPECT_EQ(seen, CSettingsStore(file()).snapshot());
    EXPECT_EQ(seen.readString(QStringLiteral("Recent File List"), QStringLiteral("File1")), "/a b.html");
    EXPECT_EQ(seen.readBinary(QStringLiteral("Workspace\\Keyboard-0"), QStringLiteral("Accelerators")),
              QByteArray("\x01\x00", 2));
    EXPECT_EQ(reader.readQWord(QString(), QStringLiteral("Q")), 1ull << 40);
    EXPECT_TRUE(leftovers(dir()).isEmpty());
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
    QProcess children[2];
    const char* tags[] = {"A", "B"};
    for (int i = 0; i < 2; ++i) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LW_SETTINGS_WRITER"), file() + u'|' + QLatin1String(tags[i]));
        children[i].setProcessEnvironment(env);
        children[i].start(QCoreApplication::applicationFilePath(), {});
        ASSERT_TRUE(children[i].waitForStarted());
    }
    for (QProcess& child : children) {
        while (!child.canReadLine())
            ASSERT_TRUE(child.waitForReadyRead(60000));
    }
    for (QProcess& child : children) {
        child.write("go\n");
        ASSERT_TRUE(child.waitForBytesWritten(60000));
    }
    for (QProcess& child : children) {
        ASSERT_TRUE(child.waitForFinished(120000));
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child.exitCode(), 0);
    }
    const CSettingsTree tree = CSettingsStore(file()).snapshot();
    EXPECT_EQ(tree.valueNames(QStringLiteral("Workspace")).size(), 2 * kWritesPerChild);
    for (const char* tag : tags) {
        for (int i = 0; i < kWritesPerChild; ++i) {
            const QString name = QLatin1String(tag) + QString::number(i);
            if (i % 2) {
                EXPECT_EQ(tree.readString(QStringLiteral("Workspace"), name), name);
            } else {
                EXPECT_EQ(tree.readDWord(QStringLiteral("Workspace"), name), quint32(i)) << qPrintable(name);
            }
        }
    }
    EXPECT_TRUE(leftovers(dir()).isEmpty());
}

TEST_F(SettingsStoreTest, InterruptedWriteLeavesOldFileAndItsTempIsCleanedUp) {
    CSettingsStore store(file());
    ASSERT_TRUE(store.writeDWord(QStringLiteral("Workspace"), QStringLiteral("TabbedDocuments"), 0));
    const QString stale = file() + QStringLiteral(".tmp-Xy12ab");
    writeRaw(stale, "Loomwrite settings 1\n\n[Workspace]\n\"TabbedDocuments\"=dwo");
    EXPECT_EQ(
        CSettingsStore(file()).readDWord(QStringLiteral("Workspace"), QStringLiteral("TabbedDocuments")), 0u);
    ASSERT_TRUE(store.writeDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons"), 1));
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_EQ(store.readDWord(QStringLiteral("Workspace"), QStringLiteral("TabbedDocuments")), 0u);
}

TEST_F(SettingsStoreTest, CorruptFileCountsAsEmptyIsKeptAsBadAndWarnsOnce) {
    struct Case {
        const char* what;
        QByteArray content;
        qint64 sparseSize;
    };
    QByteArray manyKeys = "Loomwrite settings 1\n";
    for (qsizetype i = 0; i < CSettingsTree::kMaxKeys; ++i)
        manyKeys += "[k" + QByteArray::number(i) + "]\n";
    const Case cases[] = {
        {"binary garbage", QByteArray("\x00\xff\xfe\x12garbage\x80", 12), 0},
        {"wrong header", "Other program 1\n[Workspace]\n", 0},
        {"broken value", "Loomwrite settings 1\n[Workspace]\n\"ApplicationLook\"=dword:xyz\n", 0},
        {"too large", {}, CSettingsStore::kMaxFileSize + 1},
        // Nesting this deep once took minutes to read and to write back.
        {"nested too deep", "Loomwrite settings 1\n[" + QByteArray("a\\").repeated(64) + "a]\n", 0},
        {"too many keys", manyKeys, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lwtest::ScratchDir folder;
        const QString path = folder.file(QStringLiteral("Loomwrite.reg"));
        writeRaw(path, c.content);
        if (c.sparseSize) {
            ASSERT_TRUE(QFile::resize(path, c.sparseSize));
        }
        WarningCapture warnings;
        CSettingsStore store(path);
        EXPECT_FALSE(store.readDWord(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook")));
        EXPECT_FALSE(CSettingsStore(path).keyExists(QString()));
        EXPECT_EQ(WarningCapture::messages().size(), 1);
        EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".bad")));

        ASSERT_TRUE(store.writeDWord(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook"), 207));
        EXPECT_EQ(store.readDWord(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook")), 207u);
        EXPECT_EQ(CSettingsStore(path).snapshot().valueNames(QStringLiteral("Workspace")).size(), 1);
        if (c.sparseSize) {
            EXPECT_EQ(QFileInfo(path + QStringLiteral(".bad")).size(), c.sparseSize);
        } else {
            EXPECT_EQ(readAll(path + QStringLiteral(".bad")), c.content);
        }
        EXPECT_EQ(WarningCapture::messages().size(), 1);
    }
}

TEST_F(SettingsStoreTest, UnreadableFileIsNeverReplaced) {
    ASSERT_TRUE(QDir().mkpath(file())); // a folder where the file should be
    CSettingsStore store(file());
    {
        WarningCapture warnings;
        EXPECT_FALSE(store.keyExists(QString()));
        EXPECT_FALSE(store.writeDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons"), 0));
        EXPECT_EQ(WarningCapture::messages().size(), 1);
    }
    EXPECT_FALSE(store.deleteApplicationKey());
    EXPECT_TRUE(QFileInfo(file()).isDir());
    ASSERT_TRUE(QDir(file()).removeRecursively());

    ASSERT_TRUE(store.writeDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons"), 0));
    const QByteArray before = readAll(file());
    ASSERT_TRUE(QFile::setPermissions(file(), {}));
    {
        lwtest::PermissionsEnforced enforced;
        CSettingsStore other(file());
        EXPECT_FALSE(other.readDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons")));
        EXPECT_FALSE(other.writeDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons"), 1));
    }
    ASSERT_TRUE(QFile::setPermissions(file(), QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(readAll(file()), before);
}

TEST_F(SettingsStoreTest, FailedWritesKeepOldFileAndLeaveNoTemp) {
    CSettingsStore store(file());
    ASSERT_TRUE(store.writeDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons"), 1));
    const QByteArray before = readAll(file());
    const QString big(4000, u'x');

    // A full disk: the temporary file cannot take the new content.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool fullDiskWrite = store.writeString(QStringLiteral("Workspace"), QStringLiteral("Tools"), big);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(fullDiskWrite);
    EXPECT_EQ(readAll(file()), before);
    EXPECT_TRUE(leftovers(dir()).isEmpty());
    EXPECT_FALSE(store.readString(QStringLiteral("Workspace"), QStringLiteral("Tools")));

    // A read-only folder.
    ASSERT_TRUE(QFile::setPermissions(dir(), QFile::ReadOwner | QFile::ExeOwner));
    {
        lwtest::PermissionsEnforced enforced;
        if (lwtest::PermissionsEnforced::canCreateIn(dir())) {
            QFile::setPermissions(dir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            GTEST_SKIP() << "this process ignores folder permissions";
        }
        EXPECT_FALSE(store.writeString(QStringLiteral("Workspace"), QStringLiteral("Tools"), big));
    }
    ASSERT_TRUE(QFile::setPermissions(dir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    EXPECT_EQ(readAll(file()), before);
    EXPECT_TRUE(leftovers(dir()).isEmpty());
}

// A file of values just under the size limit, written compactly by hand, grows past it when
// it is written back one value a line: the write must fail rather than leave a file the next
// start would throw away.
TEST_F(SettingsStoreTest, WritesNeverLeaveAFileTheReaderRefuses) {
    ASSERT_TRUE(QDir().mkpath(dir()));
    const QByteArray head = "Loomwrite settings 1\n[Workspace]\n\"Big\"=hex:";
    const qsizetype bytes = (CSettingsStore::kMaxFileSize - head.size() - 64) / 3;
    QByteArray compact = head + QByteArray("ab,").repeated(bytes - 1) + "ab\n";
    writeRaw(file(), compact);
    CSettingsStore store(file());
    ASSERT_EQ(store.readBinary(QStringLiteral("Workspace"), QStringLiteral("Big"))->size(), bytes);

    WarningCapture warnings;
    EXPECT_FALSE(store.writeDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons"), 1));
    EXPECT_EQ(WarningCapture::messages().size(), 1);
    EXPECT_EQ(readAll(file()), compact);
    EXPECT_TRUE(leftovers(dir()).isEmpty());
    compact.clear();

    // Too deep a key is refused the same way, and a write that fits still goes through.
    ASSERT_TRUE(store.deleteValue(QStringLiteral("Workspace"), QStringLiteral("Big")));
    EXPECT_FALSE(store.writeDWord(QStringLiteral("a\\").repeated(CSettingsTree::kMaxDepth) + QStringLiteral("a"),
                                  QStringLiteral("v"), 1));
    EXPECT_TRUE(store.writeDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons"), 1));
    EXPECT_EQ(CSettingsStore(file()).readDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons")), 1u);
}

TEST_F(SettingsStoreTest, DeleteApplicationKeyRemovesFileAndEmptyFolderOnly) {
    CSettingsStore store(file());
    ASSERT_TRUE(store.writeDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons"), 1));
    ASSERT_TRUE(QFileInfo::exists(file() + QStringLiteral(".lock")));
    EXPECT_TRUE(store.deleteKey(QStringLiteral("\\")));
    EXPECT_FALSE(QFileInfo::exists(dir()));
    EXPECT_FALSE(store.keyExists(QString()));
    EXPECT_TRUE(store.deleteApplicationKey());

    ASSERT_TRUE(store.writeDWord(QStringLiteral("Workspace"), QStringLiteral("HiColorIcons"), 1));
    writeRaw(dir() + QStringLiteral("/Other.reg"), "other program");
    EXPECT_TRUE(store.deleteApplicationKey());
    EXPECT_EQ(QDir(dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("Other.reg")});
}

TEST_F(SettingsStoreTest, SymbolicLinkSurvivesWrites) {
    const QString real = scratch.file(QStringLiteral("dotfiles/Loomwrite.reg"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(real).absolutePath()) && QDir().mkpath(dir()));
    writeRaw(real, "Loomwrite settings 1\n[Workspace]\n\"Silent\"=dword:1\n");
    ASSERT_TRUE(QFile::link(real, file()));
    CSettingsStore store(file());
    ASSERT_TRUE(store.writeDWord(QStringLiteral("Workspace"), QStringLiteral("OPT2398"), 0));
    EXPECT_TRUE(QFileInfo(file()).isSymLink());
    const auto tree = CSettingsTree::parse(readAll(real));
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->readDWord(QStringLiteral("Workspace"), QStringLiteral("Silent")), 1u);
    EXPECT_EQ(tree->readDWord(QStringLiteral("Workspace"), QStringLiteral("OPT2398")), 0u);
}

} // namespace
