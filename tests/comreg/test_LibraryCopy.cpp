// SPDX-License-Identifier: GPL-3.0-or-later
#include "comreg/LibraryCopy.h"
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

// A library with version 2.3.4.123 in its fixed block and, unless empty,
// `version` as its text.
QString writeLibrary(const TempDir& dir, const QString& name, const QString& version)
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
    const QString path = dir.writeFile(name, w.build());
    ::chmod(QFile::encodeName(path).constData(), 0750);
    FileTimes::write(path, FileTimes::Modification, kModified);
    return path;
}
} // namespace

TEST(LibraryCopy, TheVersionBecomesPartOfTheNameAndNothingElse)
{
    const struct {
        const char* name;
        const char* version;
        const char* copy;
    } cases[] = {
        {"a.b.OCX", "1.0", "a.b_1.0.OCX"},
        {"a.dll", " 1.0/../../x ", "a_1.0_.._.._x.dll"},
        {"a.dll", "1\t2\n", "a_1_2_.dll"},
        {"ohne", "2", "ohne_2"},
        {"a.dll", "  ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LibraryCopy::VersionedName(u(c.name), u(c.version)), u(c.copy)) << c.version;
    TempDir dir;
    EXPECT_EQ(LibraryCopy(writeLibrary(dir, u("b.dll"), QString())).NewName(),
              u("b_2.03.04123.dll"));
    EXPECT_FALSE(LibraryCopy(dir.writeFile(u("c.dll"), "MZ")).HasVersion());
    const LibraryCopy longer(writeLibrary(dir, u("a.dll"), QString(300, u'9')));
    EXPECT_EQ(Raised([&] { longer.Copy(false); }).Description,
              AppErr().MsgLoad(Msg::NameTooLong, longer.NewName()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST(LibraryCopy, TheCopyIsWholeAndReplacesOnlyWhenAsked)
{
    TempDir dir;
    const QString source = writeLibrary(dir, u("a.dll"), u("1.2"));
    const LibraryCopy copy(source);
    copy.Copy(false);
    const QString made = dir.filePath(u("a_1.2.dll"));
    EXPECT_EQ(TempDir::contents(made), TempDir::contents(source));
    EXPECT_EQ(FileTimes::read(made, FileTimes::Modification), kModified);
    EXPECT_EQ(QFile::permissions(made), QFile::permissions(source)); // 0750

    // A file that appeared after the question is not replaced.
    dir.writeFile(u("a_1.2.dll"), "alt");
    EXPECT_EQ(Raised([&] { copy.Copy(false); }).Description,
              AppErr().MsgLoad(Msg::TargetExists, made));
    // The source gone after Yes: the old file stays, nothing is left behind.
    QFile::rename(source, dir.filePath(u("weg")));
    EXPECT_EQ(Raised([&] { copy.Copy(true); }).Description,
              AppErr().MsgLoad(Msg::FileMissing, source));
    EXPECT_EQ(TempDir::contents(made), QByteArray("alt"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{u("a_1.2.dll"), u("weg")}));
}
