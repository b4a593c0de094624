// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/FileBoxModel.h"

#include "core/FolderListing.h"
#include "core/TextUtil.h"
#include "platform/FileNameCodec.h"

#include <QSet>

#include <algorithm>

FileBoxModel::FileBoxModel(QObject* parent) : QAbstractListModel(parent) {}

void FileBoxModel::SetPath(const QString& folder)
{
    m_path = AddTrailing(folder, QLatin1Char('/'));
    Refresh();
    Q_EMIT PathChanged();
}

void FileBoxModel::SetPattern(const QString& pattern)
{
    m_pattern = pattern;
    Refresh();
    Q_EMIT PatternChanged();
}

void FileBoxModel::Refresh()
{
    QStringList names = FolderListing::Files(m_path, FilePattern(m_pattern));
    beginResetModel();
    m_names = std::move(names);
    endResetModel();
}

QList<int> FileBoxModel::RefreshKeeping(const QStringList& keep)
{
    Refresh();
    const QSet<QString> wanted(keep.begin(), keep.end());
    QList<int> rows;
    for (int row = 0; row < m_names.size(); ++row) {
        if (wanted.contains(m_names.at(row)))
            rows.append(row);
    }
    return rows;
}

QStringList FileBoxModel::NamesAt(const QList<int>& rows) const
{
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    QStringList names;
    names.reserve(sorted.size());
    for (int row : sorted) {
        if (row >= 0 && row < m_names.size())
            names.append(m_names.at(row));
    }
    return names;
}

int FileBoxModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant FileBoxModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_names.size())
        return {};
    if (role == Qt::DisplayRole)
        return DisplayFileName(m_names.at(index.row()));
    if (role == Qt::EditRole)
        return m_names.at(index.row());
    return {};
}
