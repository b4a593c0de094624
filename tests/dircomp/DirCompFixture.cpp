// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirCompFixture.h"

#include "support/FullDisk.h"
#include "support/TestText.h"

#include <QDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TwoFolders::TwoFolders() : m_source(dir.makeDir(u("Quelle"))), m_dest(dir.makeDir(u("Ziel"))) {}

void TwoFolders::put(const QString& folder, const QByteArray& name, const QByteArray& contents,
                     qint64 seconds, qint32 nanoseconds)
{
    const QByteArray path = EncodeFileName(folder) + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << path.toStdString();
    ASSERT_EQ(::write(fd, contents.constData(), size_t(contents.size())), contents.size());
    const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(::futimens(fd, times), 0);
    ::close(fd);
}

QByteArray TwoFolders::read(const QString& folder, const QByteArray& name)
{
    return TempDir::contents(DecodeFileName(EncodeFileName(folder) + name));
}

QList<QByteArray> TwoFolders::entries(const QString& folder)
{
    QList<QByteArray> names;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot))
        names << EncodeFileName(name);
    std::sort(names.begin(), names.end());
    return names;
}

QMap<QByteArray, QString> Classes(const DirCompItems& items)
{
    QMap<QByteArray, QString> classes;
    for (const DirCompItem& item : items) {
        const char* letter = item.cls == DirCompClass::Differs ? "D"
                             : item.cls == DirCompClass::Same  ? "S"
                                                               : "E";
        classes.insert(item.name, QLatin1String(letter) + (item.conflict ? "!" : ""));
    }
    return classes;
}

int RunAsNobody(const QStringList& open, const std::function<int()>& action)
{
    return RunInChild(
        [&] {
            for (const QString& folder : open)
                ::chmod(EncodeFileName(folder).constData(), 0755);
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(97);
        },
        action);
}
