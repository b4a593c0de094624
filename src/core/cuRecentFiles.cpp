// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cuRecentFiles.h"

#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/Registry.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"
#include "platform/MessageBoxService.h"

#include <algorithm>

namespace {
constexpr qint32 kLibraryErrorBase = 1024 + cuAppError::ErrorBase;
// A stored list longer than this is damage, not history.
constexpr qint32 kMaxStoredEntries = 1000;
constexpr qint32 kMaxCapacity = 32767;
const QString kMaxEntriesValue = QStringLiteral("RFL Max Entries");

QString ValueName(qint32 position)
{
    return QStringLiteral("File ") + QString::number(position);
}

// A link counts even when its target has gone, as a directory search finds it.
bool PathExists(const QString& path)
{
    return ReadFileStatus(path, FollowLinks::No).has_value();
}

bool StillThere(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) ? IsFolder(path) : IsRegularFile(path);
}
} // namespace

cuRecentFiles::cuRecentFiles(QObject* parent) : QObject(parent) {}

cuRecentFiles::~cuRecentFiles()
{
    try {
        Save();
    } catch (...) {
        // Nobody is left to tell; the list stays as it was stored before.
    }
}

QString cuRecentFiles::Message(qint32 number)
{
    switch (number) {
    case 1:
        return QStringLiteral("Fehler beim Öffnen des Registryschlüssels - ##");
    case 2:
        return QStringLiteral("Fehler beim Speichern eines Wertes in der Registry - ##");
    case 3:
        return QStringLiteral("Terminate, Fehler beim Löschen eines Wertes aus der Registry - ##");
    case 4:
        return QStringLiteral("Ungültiger Pfad.");
    case 5:
        return QStringLiteral("Ungültiger Index.");
    case 6:
        return QStringLiteral("Für 'MaxEntires' muß eine positive Ganzzahl angegeben werden.!");
    case 7:
        return QStringLiteral("Der Name des Schlüssels muß zwischen 0 und 255 Zeichen lang sein.");
    case 8:
        return QStringLiteral("Fehler beim Öffnen des Registryschlüssels!");
    case 9:
        return QStringLiteral("Für MaxLength muß eine positive Ganzzahl angegeben werden.");
    case 10:
        return QStringLiteral("Falscher Parameter für 'Level'.");
    case 11:
        return QStringLiteral("Der Registryschlüssel fehlt.");
    case 12:
        return QStringLiteral("Ungültiger Index oder Indexgrenze überschritten.");
    case 13:
        return QStringLiteral("Die Datei '##' ist nicht Teil der RecentFile-Auflistung.");
    default:
        return QStringLiteral("Unbekannter Fehler.");
    }
}

QString cuRecentFiles::StoreErrorText(qint32 code)
{
    switch (code) {
    case 2:
        return QStringLiteral("Falscher Schlüssel- oder Wertname.");
    case 5:
        return QStringLiteral("Zugriff verweigert.");
    case 14:
        return QStringLiteral("Zu wenig Arbeitsspeicher.");
    case 87:
        return QStringLiteral("Falscher Parameter.");
    case 1009:
        return QStringLiteral("Falscher Datenpuffer.");
    case 1010:
        return QStringLiteral("Falscher Schlüssel.");
    case 1011:
        return QStringLiteral("Kann nicht öffnen.");
    case 1012:
        return QStringLiteral("Kann nicht lesen.");
    case 1013:
        return QStringLiteral("Kann nicht schreiben.");
    default:
        return QStringLiteral("Unbekannter Fehler.");
    }
}

void cuRecentFiles::CheckStore(qint32 number, const char* procedure, bool writing)
{
    if (Registry::StoreFailed())
        Raise(number, procedure, StoreErrorText(Registry::LastError(writing)));
}

void cuRecentFiles::Raise(qint32 number, const char* procedure, const QString& arg)
{
    const QVariant value = arg.isNull() ? QVariant() : QVariant(arg);
    throw AppErrorRecord(kLibraryErrorBase + number,
                         QStringLiteral("clsRecentFiles: ") + QLatin1String(procedure),
                         cuAppError::MsgParse(Message(number), value));
}

void cuRecentFiles::SetRegKey(const QString& key)
{
    if (key.isEmpty() || key.size() >= 256)
        Raise(7, "RegKey (Let)");
    QString path = key;
    if (path.startsWith(QLatin1Char('\\')))
        path.remove(0, 1);
    if (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    m_entries.clear();
    const Registry reg;
    if (!reg.RegKeyExists(HKEY_CURRENT_USER, path) && !reg.RegKeyCreate(HKEY_CURRENT_USER, path))
        Raise(8, "OpenRegKey");
    m_regKey = path;

    // A value that is missing ends what is stored; a store that cannot be
    // read says so instead of giving a shorter list.
    Registry::ClearLastError();
    bool ok = false;
    const qint32 stored =
        reg.RegGetSettingString(HKEY_CURRENT_USER, path, kMaxEntriesValue).trimmed().toInt(&ok);
    CheckStore(1, "RegKey (Let)", false);
    if (ok && stored >= 1)
        m_maxEntries = std::min(stored, kMaxCapacity);
    for (qint32 position = 1; position <= kMaxStoredEntries; ++position) {
        const bool exists = reg.RegValueExists(HKEY_CURRENT_USER, path, ValueName(position));
        CheckStore(1, "RegKey (Let)", false);
        if (!exists)
            break;
        const QString value = reg.RegGetSettingString(HKEY_CURRENT_USER, path, ValueName(position));
        CheckStore(1, "RegKey (Let)", false);
        if (!value.isEmpty())
            InsertEntry(Count() + 1, value);
    }
    while (Count() > m_maxEntries)
        m_entries.removeLast();
    Renumber();
    UpdateShortTexts();
    Refresh();
}

void cuRecentFiles::InsertEntry(qint32 position, const QString& path)
{
    cuRecentFile entry;
    entry.FullPath = path;
    m_entries.insert(std::clamp(position - 1, 0, Count()), entry);
}

void cuRecentFiles::Renumber()
{
    for (qint32 i = 0; i < Count(); ++i)
        m_entries[i].Name = ValueName(i + 1);
}

void cuRecentFiles::UpdateShortTexts()
{
    for (cuRecentFile& entry : m_entries)
        entry.ShortPathString = ShortHand(entry.FullPath, m_maxLength);
    if (!m_entries.isEmpty()) {
        const QString& top = m_entries.first().FullPath;
        m_lastFolder = top.left(top.lastIndexOf(QLatin1Char('/')) + 1);
    }
}

void cuRecentFiles::Add(const QString& path)
{
    if (path.isEmpty() || (!path.endsWith(QLatin1Char('/')) && !PathExists(path)))
        Raise(4, "Add");
    for (qint32 i = 0; i < Count(); ++i) {
        if (m_entries[i].FullPath == path) {
            Add(i + 1);
            return;
        }
    }
    while (Count() >= m_maxEntries && Count() > 0)
        m_entries.removeLast();
    InsertEntry(1, path);
    Renumber();
    UpdateShortTexts();
    Refresh();
}

void cuRecentFiles::Add(qint32 index)
{
    if (index < 1 || index > Count())
        Raise(12, "SetTopItem");
    m_entries.move(index - 1, 0);
    Renumber();
    UpdateShortTexts();
    Refresh();
}

QString cuRecentFiles::Choose(qint32 index)
{
    const QString path = Item(index).FullPath;
    if (StillThere(path)) {
        Add(index);
        return path;
    }
    const bool folder = path.endsWith(QLatin1Char('/'));
    AppErr().MsgShow(folder ? Msg::FolderGone : Msg::FileGone, MsgStyle::Exclamation,
                     DisplayFileName(path));
    Remove(index);
    return {};
}

void cuRecentFiles::Clear()
{
    m_entries.clear();
}

const cuRecentFile& cuRecentFiles::Item(qint32 index) const
{
    if (index < 1 || index > Count())
        Raise(5, "Item");
    return m_entries[index - 1];
}

void cuRecentFiles::Remove(qint32 index)
{
    if (index < 1 || index > Count())
        Raise(12, "RemoveEntry");
    m_entries.removeAt(index - 1);
    Renumber();
    UpdateShortTexts();
    Refresh();
}

void cuRecentFiles::Remove(const QString& path)
{
    for (qint32 i = 0; i < Count(); ++i) {
        if (m_entries[i].FullPath == path) {
            Remove(i + 1);
            return;
        }
    }
    Raise(13, "Remove", path);
}

void cuRecentFiles::Refresh()
{
    Q_EMIT Refreshed();
}

void cuRecentFiles::SetLastFolder(const QString& folder)
{
    if (folder.isEmpty() || !PathExists(folder))
        Raise(4, "LastFolder (Let)");
    m_lastFolder = folder;
}

void cuRecentFiles::SetMaxEntries(qint32 count)
{
    if (count < 1 || count > kMaxCapacity)
        Raise(6, "MaxEntries (Let)");
    const bool shrank = count < m_maxEntries;
    m_maxEntries = count;
    while (Count() > m_maxEntries)
        m_entries.removeLast();
    if (shrank)
        Refresh();
}

void cuRecentFiles::SetMaxLength(qint32 length)
{
    if (length < 1 || length > kMaxCapacity)
        Raise(9, "MaxLength (Let)");
    m_maxLength = length;
    UpdateShortTexts();
    Refresh();
}

void cuRecentFiles::Save() const
{
    if (m_regKey.isEmpty())
        return;
    const Registry reg;
    const auto fail = [this](qint32 number, bool writing) {
        Raise(number, "Terminate", StoreErrorText(Registry::LastError(writing, m_regKey)));
    };
    Registry::ClearLastError();
    if (!reg.RegKeyExists(HKEY_CURRENT_USER, m_regKey) &&
        !reg.RegKeyCreate(HKEY_CURRENT_USER, m_regKey))
        fail(1, true);
    for (const cuRecentFile& entry : m_entries) {
        if (!reg.RegSaveSettingString(HKEY_CURRENT_USER, m_regKey, entry.Name, entry.FullPath))
            fail(2, true);
    }
    for (qint32 position = Count() + 1; position <= kMaxStoredEntries + 1; ++position) {
        if (!reg.RegValueExists(HKEY_CURRENT_USER, m_regKey, ValueName(position))) {
            CheckStore(3, "Terminate", false);
            break;
        }
        if (!reg.RegValueDelete(HKEY_CURRENT_USER, m_regKey, ValueName(position)))
            fail(3, true);
    }
    if (SaveMaxEntries && !reg.RegSaveSettingString(HKEY_CURRENT_USER, m_regKey, kMaxEntriesValue,
                                                    QString::number(m_maxEntries)))
        fail(2, true);
}

QString cuRecentFiles::ShortHand(const QString& path, qint32 maxLength)
{
    const qint32 L = maxLength;
    if (path.size() <= L)
        return path;
    // A folder path ends in "/": its last folder name is what must stay
    // readable, so it is shortened like a file name and the "/" put back.
    if (path.endsWith(QLatin1Char('/')) && path.size() > 1 && L > 1)
        return ShortHand(path.chopped(1), L - 1) + QLatin1Char('/');
    const qsizetype lastSlash = path.lastIndexOf(QLatin1Char('/'));
    const QString fileName = path.mid(lastSlash + 1);
    const qsizetype f = fileName.size();
    if (f > L)
        return fileName.left(std::max<qsizetype>(L - 3, 0)) + QStringLiteral("...");
    if (f == L)
        return fileName;
    if (f == L - 1)
        return QLatin1Char('/') + fileName;
    // From the last "/" but one towards the first, the first one for which
    // the head, "...", "/" and the name fit (positions counted from 1).
    for (qsizetype at = lastSlash > 0 ? path.lastIndexOf(QLatin1Char('/'), lastSlash - 1) : -1;
         at >= 0; at = at > 0 ? path.lastIndexOf(QLatin1Char('/'), at - 1) : -1) {
        const qsizetype p = at + 1;
        if (p + f + 4 <= L)
            return path.left(p) + QStringLiteral(".../") + fileName;
    }
    return QString(std::max<qsizetype>(3, L - f - 1), QLatin1Char('.')) + QLatin1Char('/') +
           fileName;
}
