// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/FileBoxModel.h"

#include "core/FolderListing.h"
#include "core/TextUtil.h"

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

int FileBoxModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant FileBoxModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_names.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_names.at(index.row());
    return {};
}
