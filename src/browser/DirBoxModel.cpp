// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/DirBoxModel.h"

#include "core/FolderListing.h"
#include "core/TextUtil.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"

#include <QDir>

DirBoxModel::DirBoxModel(QObject* parent) : QAbstractListModel(parent) {}

bool DirBoxModel::SetPath(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (clean.isEmpty() || !clean.startsWith(QLatin1Char('/')))
        return false;
    // By the exact bytes: a folder whose name is not UTF-8 opens too.
    if (!IsFolder(clean) || !MayEnter(clean))
        return false;

    QList<Entry> entries;
    entries.append({QStringLiteral("/"), QStringLiteral("/"), 0, Kind::Ancestor});
    QString path = QStringLiteral("/");
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        path += part + QLatin1Char('/');
        entries.append({path, part, int(entries.size()), Kind::Ancestor});
    }
    entries.last().kind = Kind::Current;
    const int current = int(entries.size()) - 1;
    for (const QString& name : FolderListing::Folders(path))
        entries.append({path + name + QLatin1Char('/'), name, current + 1, Kind::Child});

    beginResetModel();
    m_entries = std::move(entries);
    m_path = path;
    m_currentRow = current;
    endResetModel();
    return true;
}

QString DirBoxModel::PathAt(int row) const
{
    return row >= 0 && row < m_entries.size() ? m_entries.at(row).path : QString();
}

int DirBoxModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant DirBoxModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const Entry& entry = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return DisplayFileName(role == Qt::DisplayRole ? entry.label : entry.path);
    case PathRole:
        return entry.path;
    case LevelRole:
        return entry.level;
    case KindRole:
        return int(entry.kind);
    default:
        return {};
    }
}
