// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The file box: names of the files of one folder that match the pattern, in
// listing order. The view keeps the selection; this model only lists.
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
