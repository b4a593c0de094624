// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QList>

// The folder box: the current folder's ancestors from "/" down to the folder
// itself, then its sub-folders one level deeper. Every path carries a
// trailing "/".
class DirBoxModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Roles { PathRole = Qt::UserRole, LevelRole, KindRole };
    enum class Kind { Ancestor, Current, Child };

    explicit DirBoxModel(QObject* parent = nullptr);

    QString Path() const { return m_path; }
    // Sets the folder and re-reads its sub-folders. False (and nothing
    // changed) when the folder cannot be read.
    bool SetPath(const QString& folder);
    void Refresh() { SetPath(m_path); }
    int CurrentRow() const { return m_currentRow; }
    QString PathAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    struct Entry {
        QString path;
        QString label;
        int level = 0;
        Kind kind = Kind::Child;
    };
    QList<Entry> m_entries;
    QString m_path;
    int m_currentRow = -1;
};
