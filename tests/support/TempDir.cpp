// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempDir.h"

#include "platform/FileNameCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

TempDir::TempDir() : m_dir(QDir::tempPath() + QStringLiteral("/tolvane-test-XXXXXX")) {}

// QTemporaryDir leaves behind a name that is not UTF-8 and a folder a test
// made unreadable: removed here by bytes, with the owner's rights given back.
TempDir::~TempDir()
{
    namespace fs = std::filesystem;
    const fs::path root(EncodeFileName(m_dir.path()).toStdString());
    std::error_code error;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_directory(error) && !it->is_symlink(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        error.clear();
    }
    fs::remove_all(root, error);
}

QString TempDir::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempDir::filePath(const QString& relative) const
{
    return path() + relative;
}

QString TempDir::writeFile(const QString& relative, const QByteArray& contents,
                           const QDateTime& modified) const
{
    const QString full = filePath(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly)) {
        ADD_FAILURE() << "cannot write " << full.toStdString();
        return full;
    }
    file.write(contents);
    file.flush(); // a write after setting the time would move it again
    if (modified.isValid())
        file.setFileTime(modified, QFileDevice::FileModificationTime);
    file.close();
    return full;
}

QString TempDir::writeFileNamed(const QByteArray& name, const QByteArray& contents) const
{
    const QByteArray full = EncodeFileName(path()) + name;
    const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, contents.constData(), size_t(contents.size())) != contents.size())
        ADD_FAILURE() << "cannot write " << full.toStdString();
    if (fd >= 0)
        ::close(fd);
    return DecodeFileName(full);
}

QString TempDir::makeDir(const QString& relative) const
{
    const QString full = filePath(relative);
    QDir().mkpath(full);
    return full + QLatin1Char('/');
}

QByteArray TempDir::contents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return file.readAll();
}
