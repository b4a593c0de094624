// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PathUtil.h"

#include "core/TextUtil.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStringList>

#include <algorithm>

namespace {
constexpr QChar kSlash = QLatin1Char('/');
constexpr QChar kBackslash = QLatin1Char('\\');
constexpr qsizetype kMaxPathBytes = 4096;

QChar separatorFor(bool slashForm)
{
    return slashForm ? kBackslash : kSlash;
}

bool isAnySeparator(QChar c)
{
    return c == kSlash || c == kBackslash;
}

// Index of the n-th (1-based) separator of either kind, -1 when there are fewer.
qsizetype nthAnySeparator(const QString& text, int n)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (isAnySeparator(text.at(i)) && --n == 0)
            return i;
    return -1;
}

// Index of the n-th (1-based) occurrence of `sep`.
qsizetype nthSeparator(const QString& text, QChar sep, qsizetype n)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text.at(i) == sep && --n == 0)
            return i;
    return -1;
}

// QStorageInfo answers only for paths that exist; a path still to be created
// lies on the volume of its nearest existing ancestor.
QString mountRootOf(const QString& absolutePath)
{
    QString probe = absolutePath;
    while (!probe.isEmpty() && !QFileInfo::exists(probe)) {
        const qsizetype cut = probe.lastIndexOf(kSlash, probe.size() - 2);
        probe = cut <= 0 ? QStringLiteral("/") : probe.left(cut);
    }
    const QStorageInfo volume(probe.isEmpty() ? QStringLiteral("/") : probe);
    if (!volume.isValid())
        return {};
    return AddTrailing(volume.rootPath(), kSlash);
}
} // namespace

QString FileNameOf(const QString& path, bool slashForm)
{
    const qsizetype at = path.lastIndexOf(separatorFor(slashForm));
    return at < 0 ? path : path.mid(at + 1);
}

QString FolderOf(const QString& path, bool slashForm, bool keepSeparator)
{
    const qsizetype at = path.lastIndexOf(separatorFor(slashForm));
    if (at < 0)
        return path;
    return path.left(keepSeparator ? at + 1 : at);
}

QString FileBaseName(const QString& path)
{
    qsizetype at = path.lastIndexOf(kSlash);
    if (at < 0)
        at = path.lastIndexOf(kBackslash);
    const QString name = path.mid(at + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString ExtensionOfPath(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : path.mid(dot + 1);
}

bool IsNetworkPath(const QString& path)
{
    return path.size() > 1 && isAnySeparator(path.at(0)) && isAnySeparator(path.at(1));
}

QVariant NetworkShareRoot(const QString& path)
{
    if (!IsNetworkPath(path))
        return {};
    // Separators 1 and 2 are the prefix, 3 ends the server name, 4 the share.
    const qsizetype shareEnd = nthAnySeparator(path, 4);
    return shareEnd < 0 ? path : path.left(shareEnd);
}

QString DriveOrShareOf(const QString& path)
{
    if (IsNetworkPath(path))
        return NetworkShareRoot(path).toString();
    if (!path.startsWith(kSlash))
        return {};
    return mountRootOf(path);
}

bool IsValidPathLength(const QString& path)
{
    return QFile::encodeName(path).size() < kMaxPathBytes;
}

bool IsValidPath(const QString& path)
{
    if (path.isEmpty() || !path.startsWith(kSlash))
        return false;
    if (path.contains(QLatin1Char('*')) || path.contains(QLatin1Char('?')) ||
        path.contains(QChar(0)))
        return false;
    return IsValidPathLength(path);
}

QString ParentFolder(const QString& folder, qint32 levels, bool slashForm)
{
    if (folder.isEmpty())
        return {};
    const QChar sep = separatorFor(slashForm);
    levels = std::clamp(levels, 0, 255);

    // A share root ("//server") is kept aside so that climbing never eats it.
    QString root;
    QString rest = folder;
    if (IsNetworkPath(folder)) {
        const qsizetype serverEnd = nthAnySeparator(folder, 3);
        if (serverEnd < 0)
            return AddTrailing(folder, sep);
        root = folder.left(serverEnd);
        rest = folder.mid(serverEnd);
    }
    rest = AddTrailing(rest, sep);
    const qsizetype count = rest.count(sep);
    const qsizetype keep = std::max<qsizetype>(1, count - levels);
    QString result = root + rest.left(nthSeparator(rest, sep, keep) + 1);
    // The other-separator form writes the levels it cannot climb as "..\" steps.
    if (slashForm && levels > count - 1)
        result += QString(QStringLiteral("..") + sep).repeated(levels - (count - 1));
    return result;
}

QString ResolveFolder(const QString& path, const QString& baseFolder)
{
    const QString base = AddTrailing(
        baseFolder.isEmpty() ? QCoreApplication::applicationDirPath() : baseFolder, kSlash);
    const QString wanted = StripQuotes(path);
    if (wanted.isEmpty())
        return {};
    if (wanted.startsWith(kSlash))
        return AddTrailing(wanted, kSlash);

    const QString withSlash = AddTrailing(wanted, kSlash);
    if (!withSlash.startsWith(QLatin1String("../")))
        return base + withSlash;

    // Every leading ".." climbs one level, also when nothing follows them.
    QStringList parts;
    SplitList(withSlash, parts, QStringLiteral("/"));
    qint32 climbs = 0;
    while (climbs < parts.size() && parts.at(climbs) == QLatin1String(".."))
        ++climbs;
    QString result = ParentFolder(base, climbs);
    for (qsizetype i = climbs; i < parts.size(); ++i)
        result += parts.at(i) + kSlash;
    return result;
}

void PrefixPath(const QString& folder, QStringList& names)
{
    const QString prefix = AddTrailing(folder, kSlash);
    for (QString& name : names)
        name = prefix + name;
}

// Greedy matching with one back-tracking point: on a mismatch the last "*"
// swallows one more character. Linear in practice, never exponential.
bool WildcardMatch(QStringView pattern, QStringView name)
{
    qsizetype n = 0, m = 0, star = -1, resume = 0;
    while (n < name.size()) {
        if (m < pattern.size() && pattern.at(m) == QLatin1Char('*')) {
            star = m++;
            resume = n;
        } else if (m < pattern.size() &&
                   (pattern.at(m) == QLatin1Char('?') || pattern.at(m) == name.at(n))) {
            ++m;
            ++n;
        } else if (star >= 0) {
            m = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (m < pattern.size() && pattern.at(m) == QLatin1Char('*'))
        ++m;
    return m == pattern.size();
}
