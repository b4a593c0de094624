// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The file box: names of the files of one folder that match the pattern, in
// listing order. Names are lossless (a name that is not UTF-8 keeps its
// bytes); the box shows them with replacement characters where they are not.
class FileBoxModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit FileBoxModel(QObject* parent = nullptr);

    // Folder with a trailing "/" (empty when none is set).
    QString Path() const { return m_path; }
    QString Pattern() const { return m_pattern; }
    const QStringList& Names() const { return m_names; }
    qint32 ListCount() const { return qint32(m_names.size()); }

    // Each re-reads the folder, so a changed folder shows its present state.
    void SetPath(const QString& folder);
    void SetPattern(const QString& pattern);
    void Refresh();
    // Re-reads the folder; the result is the rows of the names in `keep`
    // that are still listed (a file is its exact name: a.txt is not A.txt).
    QList<int> RefreshKeeping(const QStringList& keep);
    // The names of some rows, in row order.
    QStringList NamesAt(const QList<int>& rows) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void PathChanged();
    void PatternChanged();

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    QStringList m_names;
};
