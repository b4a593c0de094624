// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cuRecentFile.h"

#include <QList>
#include <QObject>

// A most-recently-used list of paths (folders end in "/"), newest first,
// stored under its own settings key as "File 1", "File 2", ... and
// "RFL Max Entries". Setting RegKey loads the list; ending it (or Save)
// writes it back. Refresh tells the menu that shows the list to rebuild.
// Failures are raised with the list's own messages (numbers in the
// application range above 1024).
class cuRecentFiles : public QObject {
    Q_OBJECT
public:
    explicit cuRecentFiles(QObject* parent = nullptr);
    ~cuRecentFiles() override;

    qint32 Count() const { return qint32(m_entries.size()); }
    bool IsSeparateMenu() const { return m_separateMenu; }
    void SetIsSeparateMenu(bool separate) { m_separateMenu = separate; }
    QString LastFolder() const { return m_lastFolder; }
    void SetLastFolder(const QString& folder);
    qint32 MaxEntries() const { return m_maxEntries; }
    void SetMaxEntries(qint32 count);
    qint32 MaxLength() const { return m_maxLength; }
    void SetMaxLength(qint32 length);
    QString RegKey() const { return m_regKey; }
    void SetRegKey(const QString& key);
    bool SaveMaxEntries = true;

    // Adds a path at the top, or moves it there when it is listed (exactly,
    // case included). A path not ending in "/" must exist.
    void Add(const QString& path);
    // Moves the entry at a 1-based position to the top.
    void Add(qint32 index);
    // The user chose the entry at a 1-based position. When its folder (a path
    // ending in "/") or its file still exists, it moves to the top and its
    // path is the result. Otherwise the user is told it has gone (message
    // FolderGone or FileGone), it leaves the list, and the result is empty.
    QString Choose(qint32 index);
    void Clear();
    const cuRecentFile& Item(qint32 index) const;
    void Remove(qint32 index);
    void Remove(const QString& path);
    void Refresh();
    // Writes the list to its key (what ending the list does).
    void Save() const;

    // The menu text of a path: at most maxLength characters, the file (or last
    // folder) name kept whole where it fits.
    static QString ShortHand(const QString& path, qint32 maxLength);

    // The list's message text for a number (1..13).
    static QString Message(qint32 number);
    // The text of a store error (Registry::LastError) for messages 1 to 3.
    static QString StoreErrorText(qint32 code);

Q_SIGNALS:
    // The entries or their texts changed; a menu showing the list rebuilds.
    void Refreshed();

private:
    [[noreturn]] static void Raise(qint32 number, const char* procedure, const QString& arg = {});
    // Raises message `number` with the store's reason when the store failed.
    static void CheckStore(qint32 number, const char* procedure, bool writing);
    void InsertEntry(qint32 position, const QString& path);
    void Renumber();
    void UpdateShortTexts();

    QList<cuRecentFile> m_entries;
    QString m_regKey;
    QString m_lastFolder;
    qint32 m_maxEntries = 4;
    qint32 m_maxLength = 40;
    bool m_separateMenu = false;
};
