// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenamePreviewModel.h"

#include "platform/FileNameCodec.h"

void RenamePreviewModel::SetFiles(const pRenFiles& files)
{
    beginResetModel();
    m_rows.clear();
    for (const pRenFile& file : files) {
        if (file.Status != RenameStatus::Unchanged)
            m_rows.append(file);
    }
    endResetModel();
}

int RenamePreviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RenamePreviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant RenamePreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const pRenFile& file = m_rows.at(index.row());
    if (role == Qt::ToolTipRole) {
        const QString reason = RenameStatusReason(file.Status);
        return reason.isEmpty() ? QVariant() : QVariant(reason);
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0:
        return DisplayFileName(file.OldName);
    case 1:
        return file.Status == RenameStatus::Encoding ? QString() : DisplayFileName(file.NewName);
    default:
        return file.Problem                      ? QStringLiteral("!")
               : file.Status == RenameStatus::Ok ? QStringLiteral("OK")
                                                 : QStringLiteral("–");
    }
}

QVariant RenamePreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const captions[] = {"Originaldateiname", "Neuer Dateiname", "Problem"};
    return section >= 0 && section < 3 ? QString::fromUtf8(captions[section]) : QVariant();
}
