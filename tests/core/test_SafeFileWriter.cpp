// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SafeFileWriter.h"

#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/SystemError.h"
#include "support/FullDisk.h"
#include "support/Raised.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

QString writeFailure(const QString& path, int code)
{
    return cuAppError::MsgParse(MessageTable::text(Msg::FileWriteFailed), path,
                                SystemErrorText(code));
}
} // namespace

TEST(SafeFileWriter, ReplacesAFileWholeKeepingItsModeOrLeavesItAsItWas)
{
    TempDir dir;
    const QString target = dir.writeFile(QStringLiteral("doc.cnf"), "old");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);

    SafeFileWriter::WriteFile(target, "new contents");
    EXPECT_EQ(TempDir::contents(target), QByteArray("new contents"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("doc.cnf")});

    // In pieces larger and smaller than the buffer.
    SafeFileWriter out(target);
    out.open();
    QByteArray expected;
    for (int i = 0; i < 300; ++i) {
        const QByteArray piece(i * 37 % 5000 + (i == 7 ? 200000 : 0), char('a' + i % 26));
        out.write(piece);
        expected += piece;
    }
    out.commit();
    EXPECT_EQ(TempDir::contents(target), expected);

    // Not committed: the target stays as it was, the temporary file goes.
    {
        SafeFileWriter dropped(target);
        dropped.open();
        dropped.write("half of it");
    }
    EXPECT_EQ(TempDir::contents(target), expected);
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("doc.cnf")});
}

// A full disk or a file size limit: small outputs failed only at the final
// flush and were reported as written.
TEST(SafeFileWriter, AFullDiskRaisesTheReasonAndKeepsTheOldFile)
{
    FullDisk disk;
    const QString target = disk.path() + QStringLiteral("only-copy.cnf");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("the only copy") == 13);
    old.close();
    disk.fill();
    const QString told = writeFailure(target, disk.mounted() ? ENOSPC : EFBIG);
    for (const qsizetype size : {qsizetype(5000), qsizetype(15000), qsizetype(300000)}) {
        const int code = RunInChild(disk.childSetup(), [&] {
            try {
                SafeFileWriter::WriteFile(target, QByteArray(size, 'n'));
                return 0;
            } catch (const AppErrorRecord& e) {
                return e.Number == RuntimeError::DiskFull && e.Description == told ? 1 : 2;
            }
        });
        EXPECT_EQ(code, 1) << size;
        EXPECT_EQ(TempDir::contents(target), QByteArray("the only copy"));
        QStringList left = entries(disk.path());
        left.removeAll(QStringLiteral(".filler"));
        EXPECT_EQ(left, QStringList{QStringLiteral("only-copy.cnf")});
    }
}

TEST(SafeFileWriter, SpecialTargetsAndLinksAreWrittenInPlaceOrRefusedNeverReplaced)
{
    TempDir dir;
    // A FIFO gets the bytes; it stays a FIFO.
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray received;
    std::thread reader([&] {
        QFile in(fifo);
        if (in.open(QIODevice::ReadOnly))
            received = in.readAll();
    });
    SafeFileWriter::WriteFile(fifo, "through the pipe");
    reader.join();
    EXPECT_EQ(received, QByteArray("through the pipe"));
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    // A character device too.
    SafeFileWriter::WriteFile(QStringLiteral("/dev/null"), "gone");
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    const AppErrorRecord folder = Raised([&] { SafeFileWriter::WriteFile(dir.path(), "x"); });
    EXPECT_EQ(folder.Description, writeFailure(dir.path(), EISDIR));
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("pipe")});

    // Links are kept; NoReplace holds at the moment of writing.
    const QString real = dir.writeFile(QStringLiteral("real.txt"), "old");
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(real, link));
    SafeFileWriter::WriteFile(link, "new");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(TempDir::contents(real), QByteArray("new"));

    // A dangling link is neither followed nor replaced.
    const QString outside = dir.filePath(QStringLiteral("elsewhere/../outside.ico"));
    const QString dangling = dir.filePath(QStringLiteral("icon_0001.ico"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("outside.ico")), dangling));
    for (const auto mode : {SafeFileWriter::Mode::Replace, SafeFileWriter::Mode::NoReplace}) {
        const AppErrorRecord e = Raised([&] { SafeFileWriter::WriteFile(dangling, "icon", mode); });
        EXPECT_NE(e.Number, 0);
        EXPECT_FALSE(QFileInfo::exists(outside));
    }
    const AppErrorRecord exists =
        Raised([&] { SafeFileWriter::WriteFile(real, "again", SafeFileWriter::Mode::NoReplace); });
    EXPECT_EQ(exists.Number, RuntimeError::FileAlreadyExists);
    EXPECT_EQ(exists.Description,
              cuAppError::MsgParse(MessageTable::text(Msg::TargetExists), real));
    EXPECT_EQ(TempDir::contents(real), QByteArray("new"));
}
