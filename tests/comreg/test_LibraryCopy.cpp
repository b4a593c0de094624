// SPDX-License-Identifier: GPL-3.0-or-later
#include "comreg/LibraryCopy.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileTimes.h"
#include "platform/PeFile.h"
#include "support/PeWriter.h"
#include "support/Raised.h"
#include "support/TempDir.h"
#include "support/TestText.h"
#include "support/VersionNode.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
constexpr FileTimes::Stamp kModified{1500000000, 250000000};

// A library whose version resource holds the text `version` ("" leaves the
// text out, so the fixed block's 2.3.4.123 counts).
QByteArray libraryWithVersion(const QString& version)
{
    VersionNode::Fixed fixed;
    fixed.fileMS = 0x00020003;
    fixed.fileLS = 0x0004007B;
    QList<std::pair<QString, QString>> entries{{u("CompanyName"), u("Beispiel")}};
    if (!version.isEmpty())
        entries.append({u("FileVersion"), version});
    PeWriter w;
    w.add(PeFile::RtVersion, 1, 0x0407,
          VersionNode::root(fixed, {VersionNode::strings(u("040704B0"), entries),
                                    VersionNode::translations({{0x0407, 0x04B0}})})
              .serialize());
    return w.build();
}

QString writeLibrary(const TempDir& dir, const QString& name, const QString& version)
{
    const QString path = dir.writeFile(name, libraryWithVersion(version));
    ::chmod(QFile::encodeName(path).constData(), 0750);
    FileTimes::write(path, FileTimes::Modification, kModified);
    return path;
}

QStringList entries(const TempDir& dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}
} // namespace

TEST(LibraryCopy, TheVersionBecomesPartOfTheNameAndNothingElse)
{
    const struct {
        const char* name;
        const char* version;
        const char* copy;
    } cases[] = {
        {"werkzeug.dll", "5.82", "werkzeug_5.82.dll"},
        {"a.b.OCX", "1.0", "a.b_1.0.OCX"},
        {"a.dll", " 1.0/../../x ", "a_1.0_.._.._x.dll"},
        {"a.dll", "1\t2\n", "a_1_2_.dll"},
        {"ohne", "2", "ohne_2"},
        {"a.dll", "  ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LibraryCopy::VersionedName(u(c.name), u(c.version)), u(c.copy)) << c.version;
}

TEST(LibraryCopy, NameFromTheTextOrTheFixedVersion)
{
    TempDir dir;
    EXPECT_EQ(LibraryCopy(writeLibrary(dir, u("a.dll"), u("7.1 Beta"))).NewName(),
              u("a_7.1 Beta.dll"));
    EXPECT_EQ(LibraryCopy(writeLibrary(dir, u("b.dll"), QString())).NewName(),
              u("b_2.03.04123.dll"));
    const LibraryCopy none(dir.writeFile(u("c.dll"), "MZ nichts"));
    EXPECT_FALSE(none.HasVersion());
    EXPECT_EQ(Raised([&] { none.Copy(false); }).Description,
              AppErr().MsgLoad(Msg::CopyNoVersionInfo, dir.filePath(u("c.dll"))));
}

TEST(LibraryCopy, TheCopyHasTheBytesModeAndTimeOfItsSource)
{
    TempDir dir;
    const QString source = writeLibrary(dir, u("a.dll"), u("1.2"));
    const LibraryCopy copy(source);
    ASSERT_FALSE(copy.DestinationExists());
    copy.Copy(false);
    const QString made = dir.filePath(u("a_1.2.dll"));
    EXPECT_EQ(copy.Destination(), made);
    EXPECT_EQ(TempDir::contents(made), TempDir::contents(source));
    EXPECT_EQ(FileTimes::read(made, FileTimes::Modification), kModified);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(made).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0750u);
}

TEST(LibraryCopy, AnExistingCopyIsReplacedOnlyWhenAskedAndOnlyWhole)
{
    TempDir dir;
    const QString source = writeLibrary(dir, u("a.dll"), u("1.2"));
    const QString old = dir.writeFile(u("a_1.2.dll"), "alt");
    const LibraryCopy copy(source);
    ASSERT_TRUE(copy.DestinationExists());
    // Not asked to replace it (it appeared after the question): it stays.
    EXPECT_EQ(Raised([&] { copy.Copy(false); }).Description,
              AppErr().MsgLoad(Msg::TargetExists, old));
    EXPECT_EQ(TempDir::contents(old), QByteArray("alt"));

    // The source gone between the question and the copy: the old file stays.
    QFile::rename(source, dir.filePath(u("weg.dll")));
    EXPECT_EQ(Raised([&] { copy.Copy(true); }).Description,
              AppErr().MsgLoad(Msg::FileMissing, source));
    EXPECT_EQ(TempDir::contents(old), QByteArray("alt"));
    EXPECT_EQ(entries(dir), (QStringList{u("a_1.2.dll"), u("weg.dll")}));

    QFile::rename(dir.filePath(u("weg.dll")), source);
    copy.Copy(true);
    EXPECT_EQ(TempDir::contents(old), TempDir::contents(source));
}

TEST(LibraryCopy, ANameOverTwoHundredFiftyFiveBytesIsRefused)
{
    TempDir dir;
    const LibraryCopy copy(writeLibrary(dir, u("a.dll"), QString(300, u'9')));
    const AppErrorRecord error = Raised([&] { copy.Copy(false); });
    EXPECT_EQ(error.Description,
              AppErr().MsgLoad(Msg::NameTooLong, u("a_") + QString(300, u'9') + u(".dll")));
    EXPECT_EQ(entries(dir), QStringList{u("a.dll")});
}
