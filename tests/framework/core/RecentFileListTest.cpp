#include "framework/core/RecentFileList.h"
#include "framework/core/OpenPath.h"

#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace lw;

namespace {

constexpr UINT kFirstRecent = 57616;

// A scratch folder addressed by its canonical path, so expectations need no link resolving.
struct Scratch {
    lwtest::ScratchDir dir;
    QString root = QDir(dir.path()).canonicalPath();

    QString touch(const QString& relative) const {
        const QString path = root + u'/' + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
        return path;
    }
    QString link(const QString& target, const QString& relative) const {
        const QString path = root + u'/' + relative;
        EXPECT_TRUE(QFile::link(target, path)) << qPrintable(path);
        return path;
    }
};

// Restores the working folder a test changed.
struct CurrentFolder {
    QString saved = QDir::currentPath();
    ~CurrentFolder() { QDir::setCurrent(saved); }
};

TEST(OpenPath, StripsQuotesOnlyAroundAQuotedPath) {
    Scratch s;
    const QString file = s.touch("page.html");
    const QString quoted = s.touch("say \"hi\".html");
    EXPECT_EQ(NormaliseOpenPath('"' + file + '"'), file);
    EXPECT_EQ(NormaliseOpenPath('"' + file + "\" ignored tail"), file);
    EXPECT_EQ(NormaliseOpenPath('"' + file), file);
    // Without a leading quote the quote is part of the name.
    EXPECT_EQ(NormaliseOpenPath(quoted), quoted);
}

TEST(OpenPath, NothingToOpenGivesEmpty) {
    EXPECT_EQ(NormaliseOpenPath(""), "");
    EXPECT_EQ(NormaliseOpenPath("\"\""), "");
    EXPECT_EQ(NormaliseOpenPath("\"\"/etc/passwd"), "");
    EXPECT_EQ(NormaliseOpenPath(QString("/tmp/a") + QChar(0) + "b.html"), "");
}

TEST(OpenPath, RelativePathsFollowTheCurrentFolder) {
    Scratch s;
    CurrentFolder restore;
    const QString file = s.touch("docs/page.html");
    ASSERT_TRUE(QDir::setCurrent(s.root + "/docs"));
    EXPECT_EQ(NormaliseOpenPath("page.html"), file);
    EXPECT_EQ(NormaliseOpenPath("./../docs//page.html"), file);
    EXPECT_EQ(NormaliseOpenPath("new.html"), s.root + "/docs/new.html");
    // Qt reads ":name" as a resource path; here it is an ordinary relative file name.
    EXPECT_EQ(NormaliseOpenPath(":page.html"), s.root + "/docs/:page.html");
}

TEST(OpenPath, RelativePathFailsWithoutACurrentFolder) {
    Scratch s;
    CurrentFolder restore;
    const QString file = s.touch("page.html");
    ASSERT_TRUE(QDir().mkpath(s.root + "/gone"));
    ASSERT_TRUE(QDir::setCurrent(s.root + "/gone"));
    ASSERT_TRUE(QDir().rmdir(s.root + "/gone"));
    EXPECT_EQ(NormaliseOpenPath("page.html"), "");
    EXPECT_EQ(NormaliseOpenPath(file), file);
}

TEST(OpenPath, ResolvesSymbolicLinks) {
    Scratch s;
    const QString target = s.touch("real/page.html");
    EXPECT_EQ(NormaliseOpenPath(s.link(target, "link.html")), target);
    s.link(s.root + "/real", "alias");
    EXPECT_EQ(NormaliseOpenPath(s.root + "/alias/page.html"), target);
    EXPECT_EQ(NormaliseOpenPath(s.root + "/alias/new.html"), s.root + "/real/new.html");
    // A dangling link cannot be followed, so it is opened (and fails) under its own name.
    const QString dangling = s.link(s.root + "/missing.html", "dangling.html");
    EXPECT_EQ(NormaliseOpenPath(s.root + "/alias/../dangling.html"), dangling);
}

TEST(OpenPath, LongPathsStayWhole) {
    Scratch s;
    const QString folder = QString(60, u'd');
    const QString relative = QStringList(5, folder).join(u'/') + "/page.html";
    const QString file = s.touch(relative);
    ASSERT_GT(file.size(), 260);
    EXPECT_EQ(NormaliseOpenPath(file), file);
    EXPECT_EQ(NormaliseOpenPath('"' + file + '"'), file);
    // A name too long for the file system still comes back absolute and clean.
    const QString tooLong = QString(300, u'n');
    EXPECT_EQ(NormaliseOpenPath(s.root + "/./" + tooLong + "/"), s.root + u'/' + tooLong);
}

TEST(OpenPath, SamePathComparesCanonicalForms) {
    Scratch s;
    CurrentFolder restore;
    const QString file = s.touch("page.html");
    const QString other = s.touch("Page.html");
    const QString link = s.link(file, "link.html");
    ASSERT_TRUE(QDir::setCurrent(s.root));
    EXPECT_TRUE(SamePath(file, link));
    EXPECT_TRUE(SamePath("page.html", file));
    EXPECT_TRUE(SamePath(s.root + "/x/../page.html", "./page.html"));
    EXPECT_TRUE(SamePath(s.root + "/new.html", "new.html"));
    EXPECT_FALSE(SamePath(file, other));
    EXPECT_FALSE(SamePath(file, s.root + "/missing.html"));
    EXPECT_FALSE(SamePath("", ""));
    EXPECT_FALSE(SamePath(file, ""));
}

QString entry(int i) {
    return QStringLiteral("/r/f%1.html").arg(i);
}

TEST(RecentFiles, KeepsTenMostRecentFirst) {
    CRecentFileList list(kFirstRecent, 10, 30);
    EXPECT_EQ(list.GetSize(), 10);
    for (int i = 1; i <= 12; ++i)
        list.Add(entry(i));
    ASSERT_EQ(list.count(), 10);
    EXPECT_EQ(list[0], entry(12));
    EXPECT_EQ(list[9], entry(3));
    EXPECT_EQ(list[10], "");
    EXPECT_EQ(list[-1], "");
}

TEST(RecentFiles, ReAddingMovesToTheFront) {
    Scratch s;
    const QString a = s.touch("a.html");
    const QString b = s.touch("b.html");
    const QString link = s.link(a, "link-to-a.html");
    CRecentFileList list(kFirstRecent, 10, 30);
    list.Add(a);
    list.Add(b);
    list.Add(a);
    EXPECT_EQ(list.WriteList(), (QStringList{a, b}));
    list.Add(link);
    EXPECT_EQ(list.WriteList(), (QStringList{link, b}));
    list.Add("");
    EXPECT_EQ(list.count(), 2);
}

TEST(RecentFiles, RemoveDropsOneEntry) {
    CRecentFileList list(kFirstRecent, 10, 30);
    for (int i = 1; i <= 3; ++i)
        list.Add(entry(i));
    list.Remove(5);
    list.Remove(-1);
    list.Remove(1);
    EXPECT_EQ(list.WriteList(), (QStringList{entry(3), entry(1)}));
}

TEST(RecentFiles, ReadsOnlyTheFirstTenStoredValues) {
    QStringList stored;
    for (int i = 1; i <= 11; ++i)
        stored << entry(i);
    CRecentFileList list(kFirstRecent, 10, 30);
    list.Add("/r/replaced.html");
    list.ReadList(stored);
    EXPECT_EQ(list.WriteList(), stored.mid(0, 10));

    // Empty values and repeats are skipped, yet the eleventh still is not read.
    stored[2] = "";
    stored[4] = entry(1);
    list.ReadList(stored);
    EXPECT_EQ(list.count(), 8);
    EXPECT_FALSE(list.WriteList().contains(entry(11)));
    EXPECT_EQ(list[2], entry(4));
}

TEST(RecentFiles, CommandsMapToEntriesInUse) {
    CRecentFileList list(kFirstRecent, 10, 30);
    list.Add(entry(1));
    list.Add(entry(2));
    EXPECT_EQ(list.CommandId(1), kFirstRecent + 1);
    EXPECT_EQ(list.IndexOfCommand(kFirstRecent), 0);
    EXPECT_EQ(list.IndexOfCommand(kFirstRecent + 1), 1);
    EXPECT_EQ(list.IndexOfCommand(kFirstRecent + 2), -1);
    EXPECT_EQ(list.IndexOfCommand(kFirstRecent - 1), -1);
}

TEST(RecentFiles, MenuTextsNumberEscapeAndShorten) {
    CRecentFileList list(kFirstRecent, 10, 30);
    list.Add("/home/alice/projects/site/index.html");
    list.Add("/r/R&D notes.html");
    for (int i = 1; i <= 8; ++i)
        list.Add(entry(i));
    ASSERT_EQ(list.count(), 10);
    EXPECT_EQ(list.MenuText(0), "&1 /r/f8.html");
    EXPECT_EQ(list.MenuText(8), "&9 /r/R&&D notes.html");
    EXPECT_EQ(list.MenuText(9), "1&0 /.../projects/site/index.html");
    EXPECT_EQ(list.MenuText(9, "/home/alice/projects/site/"), "1&0 index.html");
    EXPECT_EQ(list.MenuText(10), "");
}

struct Abbreviation {
    const char* path;
    bool atLeastName;
    const char* shown;
};

TEST(RecentFiles, AbbreviateNameKeepsRootAndName) {
    const Abbreviation cases[] = {
        {"/home/alice/docs/abcdefgh.html", true, "/home/alice/docs/abcdefgh.html"}, // exactly 30
        {"/home/alice/projects/site/index.html", true, "/.../projects/site/index.html"},
        {"/home/alice/projectsX/site/index.html", true, "/.../projectsX/site/index.html"}, // 30
        {"/aaaaaaaaaa/bbbbbbbbbbbbbbbbbbb/c/index.html", true, "/.../c/index.html"},
        {"/aaaaaaaaaaaaaaaaaaaa/index-of-the-site.html", true, "/.../index-of-the-site.html"},
        {"/a/b/c/some-quite-long-name-x.html", true, "some-quite-long-name-x.html"},
        {"/a/this-is-a-really-long-file-name-indeed.html", true,
         "this-is-a-really-long-file-name-indeed.html"},
        {"/a/this-is-a-really-long-file-name-indeed.html", false, ""},
        {"/a/b/c/some-quite-long-name-x.html", false, "some-quite-long-name-x.html"},
        {"docs/projects/2024/site/index.html", true, ".../2024/site/index.html"},
    };
    for (const Abbreviation& c : cases)
        EXPECT_EQ(CRecentFileList::AbbreviateName(c.path, 30, c.atLeastName), c.shown) << c.path;
}

} // namespace
