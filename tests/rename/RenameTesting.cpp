// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameTesting.h"

#include "platform/FileNameCodec.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RenameRule ReplaceRule(const QString& find, const QString& by, qint64 start, bool first)
{
    RenameRule rule;
    rule.mode = RenameRule::Mode::Replace;
    rule.find = find;
    rule.replace = by;
    rule.start = start;
    rule.count = first ? RenameRule::Count::First : RenameRule::Count::All;
    return rule;
}

RenameRule PartsRule(RenameRule::Parts parts, const QString& text, qint64 pos)
{
    RenameRule rule;
    rule.mode = RenameRule::Mode::Parts;
    rule.parts = parts;
    rule.text = text;
    rule.partsPos = pos;
    return rule;
}

RenameRule NumberedRule(std::optional<int> places, bool atStart)
{
    RenameRule rule;
    rule.numbering = true;
    rule.places = places;
    rule.numberAtStart = atStart;
    return rule;
}

RenameRule ExtensionRule(const QString& extension)
{
    RenameRule rule;
    rule.changeExtension = true;
    rule.extension = extension;
    return rule;
}

QMap<QByteArray, QByteArray> FolderContents(const QString& folder)
{
    QMap<QByteArray, QByteArray> files;
    DIR* dir = opendir(EncodeFileName(folder).constData());
    if (!dir)
        return files;
    while (const dirent* entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        struct stat st {};
        if (name == "." || name == ".." ||
            fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode))
            continue;
        QFile file;
        OpenFileByName(file, folder + DecodeFileName(name), QIODevice::ReadOnly);
        files.insert(name, file.readAll());
    }
    closedir(dir);
    return files;
}

bool WriteNamedFiles(const QString& folder, const QList<QByteArray>& names)
{
    for (const QByteArray& name : names) {
        const int fd = ::open(EncodeFileName(folder + DecodeFileName(name)).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd >= 0) {
            const ssize_t written = ::write(fd, name.constData(), size_t(name.size()));
            ::close(fd);
            if (written == name.size())
                continue;
        }
        return false;
    }
    return true;
}

RenameRule CountingRule()
{
    RenameRule rule = PartsRule(RenameRule::Parts::After, QString());
    rule.numbering = true;
    rule.places = 0;
    return rule;
}
