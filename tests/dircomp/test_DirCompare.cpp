// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirCompFixture.h"

#include "dircomp/CaseProbe.h"
#include "dircomp/DirCompRows.h"
#include "dircomp/pDirComp.h"
#include "platform/FileNameCodec.h"
#include "platform/SystemError.h"
#include "support/Raised.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
using Map = QMap<QByteArray, QString>;

struct Compared {
    pDirComp::Outcome outcome;
    Map source;
    Map dest;
    QStringList rows; // of the source, in the window's order
};

// The seam for a folder that ignores case: true for the folder at `path` only.
pDirComp::CaseTest IgnoresCaseAt(const QString& path)
{
    struct stat st {};
    ::stat(EncodeFileName(path).constData(), &st);
    const quint64 inode = st.st_ino;
    return [inode](const FolderHandle& folder, const DirCompItems&) {
        return folder.inode() == inode;
    };
}

Compared compare(const TwoFolders& folders, const pDirComp::CaseTest& caseTest = {})
{
    pDirComp comparison;
    if (caseTest)
        comparison.SetCaseTest(caseTest);
    const auto outcome = comparison.Compare(folders.source(), folders.dest());
    Compared result{outcome, Classes(comparison.Source()), Classes(comparison.Dest()), {}};
    for (const DirCompRow& row : ListingRows(comparison.Source()))
        result.rows << row.name;
    return result;
}
} // namespace

// Times are whole seconds of UTC, floored, with no tolerance; equal times
// fall back to the size.
TEST(DirCompare, ClassesByWholeSecondsThenSize)
{
    struct Case {
        const char* name;
        qint64 sourceSec;
        qint32 sourceNsec;
        qint64 destSec;
        qint32 destNsec;
        int sourceSize;
        int destSize;
        const char* expected;
    };
    const Case cases[] = {
        {"equal-other-size", 1'700'000'000, 0, 1'700'000'000, 0, 3, 4, "D"},
        {"same-second", 1'700'000'000, 900'000'000, 1'700'000'000, 100, 3, 3, "S"},
        {"ns-across-second", 1'700'000'000, 0, 1'699'999'999, 999'999'999, 3, 3, "D"},
        {"ns-across-back", 1'699'999'999, 999'999'999, 1'700'000'000, 0, 5, 3, "S"},
        {"before-1970", -86'400, 500'000'000, -86'401, 999'999'999, 3, 3, "D"},
        {"before-1970-same", -1, 999'999'999, -1, 0, 3, 3, "S"},
        {"after-2038", 4'102'444'800, 0, 2'147'483'647, 0, 3, 3, "D"},
        {"after-2038-older", 2'147'483'648, 0, 4'102'444'800, 0, 3, 3, "S"},
    };
    TwoFolders folders;
    Map expected;
    Map dest;
    for (const Case& c : cases) {
        TwoFolders::put(folders.source(), c.name, QByteArray(c.sourceSize, 's'), c.sourceSec,
                        c.sourceNsec);
        TwoFolders::put(folders.dest(), c.name, QByteArray(c.destSize, 'd'), c.destSec, c.destNsec);
        expected.insert(c.name, QLatin1String(c.expected));
        dest.insert(c.name, u("S"));
    }
    TwoFolders::put(folders.source(), "only-source", "x");
    TwoFolders::put(folders.dest(), "only-dest", "x");
    expected.insert("only-source", u("D"));

    const Compared result = compare(folders);
    ASSERT_EQ(result.outcome, pDirComp::Outcome::Compared);
    EXPECT_EQ(result.source, expected);
    dest.insert("only-dest", u("E"));
    EXPECT_EQ(result.dest, dest);
}

// Only regular files of the top level whose names do not begin with "."
// are listed: links are neither listed nor followed, pipes never opened (the
// test would hang on one). Names are bytes: composed and decomposed umlauts,
// case, odd bytes and long names pair only with themselves.
TEST(DirCompare, ListsRegularVisibleFilesOnlyAndPairsNamesByteForByte)
{
    const QByteArray names[] = {
        "\xc3\xbc.txt",  // ü composed
        "u\xcc\x88.txt", // ü decomposed
        "a.txt",         "A.txt", "line\nbreak", "latin1-\xfc", "*", QByteArray(255, 'n'),
    };
    // The destination has each name except the decomposed umlaut and the capital A.
    TwoFolders folders;
    Map source{{"held-by-folder", "D"}, {"held-by-link", "D"}};
    Map dest;
    for (const QByteArray& name : names) {
        const bool paired = name != "u\xcc\x88.txt" && name != "A.txt";
        TwoFolders::put(folders.source(), name, "same", 1'650'000'000);
        source.insert(name, u(paired ? "S" : "D"));
        if (paired) {
            TwoFolders::put(folders.dest(), name, "same", 1'650'000'000);
            dest.insert(name, u("S"));
        }
    }
    const QByteArray src = folders.sourceBytes();
    const QByteArray dst = folders.destBytes();
    TwoFolders::put(folders.source(), ".hidden", "1");
    TwoFolders::put(folders.dest(), ".hidden", "1");
    ASSERT_EQ(::mkdir((src + "sub").constData(), 0755), 0);
    TwoFolders::put(folders.source() + u("sub/"), "deep", "1");
    ASSERT_EQ(::symlink("a.txt", (src + "link").constData()), 0);
    ASSERT_EQ(::mkfifo((src + "pipe").constData(), 0644), 0);
    // The destination holds a folder and a link where the source has files.
    TwoFolders::put(folders.source(), "held-by-folder", "1");
    TwoFolders::put(folders.source(), "held-by-link", "1");
    ASSERT_EQ(::mkdir((dst + "held-by-folder").constData(), 0755), 0);
    ASSERT_EQ(::symlink((src + "a.txt").constData(), (dst + "held-by-link").constData()), 0);

    const Compared result = compare(folders);
    EXPECT_EQ(result.source, source);
    EXPECT_EQ(result.dest, dest);
    // A real folder of this system tells case apart.
    EXPECT_EQ(compare(folders, FolderIgnoresCase).source, source);

    // Byte order also where names agree in the 16 bytes the sort reads as numbers.
    TwoFolders alike;
    const QByteArrayList sorted = {"gleich",
                                   "gleicher-anfang-",
                                   "gleicher-anfang-1",
                                   "gleicher-anfang-10",
                                   "gleicher-anfang-2",
                                   "gleicher-anfang-3"};
    for (const QByteArray& name :
         {sorted[4], sorted[2], sorted[5], sorted[0], sorted[3], sorted[1]})
        TwoFolders::put(alike.source(), name, "1");
    pDirComp comparison;
    comparison.Compare(alike.source(), alike.dest(), nullptr, pDirComp::Use::ListOnly);
    QByteArrayList order;
    for (const DirCompItem& item : comparison.Source())
        order << item.name;
    EXPECT_EQ(order, sorted);
}

// Where one side ignores case, names equal ignoring case pair; names that
// side cannot tell apart conflict and are never acted on. The window lists
// them as the file box does: ignoring case, ties by bytes.
TEST(DirCompare, ACaseIgnoringSidePairsIgnoringCaseAndConflictsWhereItCannotTell)
{
    TwoFolders folders;
    const QString dest = folders.dest();
    TwoFolders::put(folders.source(), "Readme.TXT", "new", 1'700'000'001);
    TwoFolders::put(dest, "README.txt", "old", 1'700'000'000);
    // Two source files that would land on one destination file.
    TwoFolders::put(folders.source(), "a.txt", "1");
    TwoFolders::put(folders.source(), "A.txt", "2");
    TwoFolders::put(dest, "a.TXT", "3");
    TwoFolders::put(folders.source(), "b.txt", "1");
    TwoFolders::put(folders.source(), "B.txt", "2");
    TwoFolders::put(dest, "Extra", "4");
    TwoFolders::put(folders.source(), "Fresh", "5");
    TwoFolders::put(folders.source(), "\xc3\xa4", "6");

    const Compared result = compare(folders, IgnoresCaseAt(dest));
    EXPECT_EQ(result.source, (Map{{"Readme.TXT", "D"},
                                  {"a.txt", "D!"},
                                  {"A.txt", "D!"},
                                  {"b.txt", "D!"},
                                  {"B.txt", "D!"},
                                  {"Fresh", "D"},
                                  {"\xc3\xa4", "D"}}));
    EXPECT_EQ(result.dest, (Map{{"README.txt", "S"}, {"a.TXT", "S!"}, {"Extra", "E"}}));
    EXPECT_EQ(result.rows,
              (QStringList{"A.txt", "a.txt", "B.txt", "b.txt", "Fresh", "Readme.TXT", u("ä")}));

    // Seen from a case-ignoring source, the two destination spellings meet one file.
    TwoFolders other;
    TwoFolders::put(other.source(), "x.txt", "1");
    TwoFolders::put(other.dest(), "x.txt", "1");
    TwoFolders::put(other.dest(), "X.TXT", "1");
    const Compared fromSource = compare(other, IgnoresCaseAt(other.source()));
    EXPECT_EQ(fromSource.source, (Map{{"x.txt", "D!"}}));
    EXPECT_EQ(fromSource.dest, (Map{{"x.txt", "S!"}, {"X.TXT", "S!"}}));
}

// A folder that cannot be read is a failure, never an empty list (which
// would make every destination file surplus); one folder under two names
// lists nothing. A missing folder's message is checked with the companion.
TEST(DirCompare, UnreadableAndSameFoldersListNothing)
{
    TwoFolders folders;
    TwoFolders::put(folders.dest(), "keep", "1");
    const QByteArray source = folders.sourceBytes();
    ASSERT_EQ(::chmod(source.constData(), 0), 0);
    const int code = RunAsNobody({folders.dir.path(), folders.dest()}, [&] {
        const AppErrorRecord e =
            Raised([&] { pDirComp().Compare(folders.source(), folders.dest()); });
        return e.Description.contains(SystemErrorText(EACCES)) ? 0 : 1;
    });
    ::chmod(source.constData(), 0755);
    EXPECT_EQ(code, 0);

    const QByteArray link = EncodeFileName(folders.dir.filePath(u("verweis")));
    ASSERT_EQ(::symlink(folders.destBytes().constData(), link.constData()), 0);
    for (const QString& alias : {DecodeFileName(link), folders.dest() + u("./")}) {
        pDirComp comparison;
        EXPECT_EQ(comparison.Compare(alias, folders.dest()), pDirComp::Outcome::SameFolder);
        EXPECT_TRUE(comparison.Dest().empty());
    }
    TwoFolders empty;
    EXPECT_EQ(compare(empty).outcome, pDirComp::Outcome::BothEmpty);
}
