// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// Desktop files and association lists are a few kilobytes; anything far
// larger is not one and is not read.
constexpr qint64 kMaxFileBytes = 1 << 20;

QString readSmallText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return {};
    return QString::fromUtf8(file.read(kMaxFileBytes));
}

// The escapes every string value of a desktop file may carry.
QString unescapeValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(i + 1);
        if (next == QLatin1Char('s'))
            out += QLatin1Char(' ');
        else if (next == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (next == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (next == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else if (next == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else {
            // Not a value escape: it belongs to the quoting of an Exec line.
            out += c;
            out += next;
        }
        ++i;
    }
    return out;
}

QStringList desktopNames()
{
    QStringList names;
    for (const QString& name : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':')))
        if (!name.isEmpty())
            names << name.toLower();
    return names;
}

// The association lists in the order the desktop consults them.
QStringList mimeappsLists()
{
    const QStringList desktops = desktopNames();
    QStringList lists;
    auto addFolder = [&](const QString& folder) {
        for (const QString& desktop : desktops)
            lists << folder + QLatin1Char('/') + desktop + QStringLiteral("-mimeapps.list");
        lists << folder + QStringLiteral("/mimeapps.list");
    };
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        addFolder(folder);
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
        addFolder(folder);
    return lists;
}

QString locateDesktopFile(const QString& id)
{
    if (id.contains(QLatin1Char('/')) || !id.endsWith(QLatin1String(".desktop")))
        return {};
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        const QString candidate = QDir::cleanPath(folder + QLatin1Char('/') + id);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}
} // namespace

QString DesktopEntry::groupValue(const QString& text, const QString& group, const QString& key)
{
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    bool inGroup = false;
    QString value;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == header;
            continue;
        }
        if (!inGroup || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed() == key)
            value = line.mid(eq + 1).trimmed().toString();
    }
    return value;
}

QStringList DesktopEntry::expandExec(const QString& exec, const QString& file, const QString& name,
                                     const QString& desktopFile)
{
    const QString line = unescapeValue(exec);
    QStringList args;
    QString current;
    bool keep = false; // the argument holds text or quotes, not only dropped codes
    bool quoted = false;
    bool usedFile = false;
    auto finish = [&] {
        if (keep)
            args << current;
        current.clear();
        keep = false;
    };
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < line.size())
                current += line.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                current += c;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            finish();
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            keep = true;
        } else if (c == QLatin1Char('%') && i + 1 < line.size()) {
            const char code = line.at(++i).toLatin1();
            if (code == 'f' || code == 'F' || code == 'u' || code == 'U') {
                current += file;
                usedFile = keep = true;
            } else if (code == 'c') {
                current += name;
                keep = true;
            } else if (code == 'k') {
                current += desktopFile;
                keep = true;
            } else if (code == '%') {
                current += QLatin1Char('%');
                keep = true;
            }
        } else {
            current += c;
            keep = true;
        }
    }
    if (quoted)
        return {};
    finish();
    if (args.isEmpty() || args.first().isEmpty())
        return {};
    if (!usedFile && !file.isEmpty())
        args << file;
    return args;
}

QString DesktopEntry::defaultApplicationFor(const QString& mimeType)
{
    for (const QString& list : mimeappsLists()) {
        const QString text = readSmallText(list);
        if (text.isEmpty())
            continue;
        const QString ids = groupValue(text, QStringLiteral("Default Applications"), mimeType);
        for (const QString& id : ids.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString path = locateDesktopFile(id.trimmed());
            if (!path.isEmpty())
                return path;
        }
    }
    return {};
}

QStringList DesktopEntry::commandFor(const QString& desktopFile, const QString& file)
{
    const QString text = readSmallText(desktopFile);
    const QString group = QStringLiteral("Desktop Entry");
    const QString exec = groupValue(text, group, QStringLiteral("Exec"));
    if (exec.isEmpty())
        return {};
    QStringList command =
        expandExec(exec, file, groupValue(text, group, QStringLiteral("Name")), desktopFile);
    // A terminal program opened without a terminal would run unseen.
    if (!command.isEmpty() &&
        groupValue(text, group, QStringLiteral("Terminal")) == QLatin1String("true")) {
        const QString terminal =
            QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
        if (!terminal.isEmpty())
            command = QStringList{terminal, QStringLiteral("-e")} + command;
    }
    return command;
}
