// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename/pRenFiles.h"

#include <QAbstractTableModel>

// The rows of the preview: every file whose name changes or that has a
// problem (problems always, with the reason as tool tip), in processing
// order. Columns: old name, new name, "OK" or "!".
class RenamePreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RenamePreviewModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void SetFiles(const pRenFiles& files);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<pRenFile> m_rows;
};
