// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirCompFixture.h"

#include "platform/FileNameCodec.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TwoFolders::TwoFolders()
    : m_source(dir.makeDir(QStringLiteral("Quelle"))), m_dest(dir.makeDir(QStringLiteral("Ziel")))
{
}

QByteArray TwoFolders::sourceBytes() const
{
    return EncodeFileName(m_source);
}

QByteArray TwoFolders::destBytes() const
{
    return EncodeFileName(m_dest);
}

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
    const QByteArray path = EncodeFileName(folder) + name;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    QByteArray bytes;
    char buffer[65536];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, got);
    ::close(fd);
    return bytes;
}

bool TwoFolders::exists(const QString& folder, const QByteArray& name)
{
    struct stat st {};
    return ::lstat((EncodeFileName(folder) + name).constData(), &st) == 0;
}

QList<QByteArray> TwoFolders::entries(const QString& folder)
{
    QList<QByteArray> names;
    DIR* dir = ::opendir(EncodeFileName(folder).constData());
    while (dir) {
        const dirent* entry = ::readdir(dir);
        if (!entry)
            break;
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    if (dir)
        ::closedir(dir);
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
        classes.insert(item.name,
                       QLatin1String(letter) + (item.conflict ? QStringLiteral("!") : QString()));
    }
    return classes;
}
