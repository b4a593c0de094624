// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dircomp/DirCompRows.h"

#include <QAbstractTableModel>

// One list of the comparison window: a column "Datei" of file names, each
// in the colour of its class (dark green: differs, grey text: same, dark
// red: surplus). The class is kept beside the name; the colour is shown
// from it.
class DirCompListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Stored colour values of the classes (red in the low byte).
    static constexpr quint32 kDiffersColour = 0x008000;
    static constexpr quint32 kSameColour = 0x80000011; // the system's grey text
    static constexpr quint32 kExtraColour = 0x000080;
    static quint32 ColourOf(DirCompClass cls);

    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(DirCompRows rows);
    void Clear();
    // Leaves out (true) or shows again the files of class Same.
    void SetHideSame(bool hide);
    bool Holds(DirCompClass cls) const;

    const DirCompRow& Row(int row) const { return m_rows.at(m_shown.at(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void refill();

    DirCompRows m_rows;
    QList<qsizetype> m_shown; // indices into m_rows in list order
    bool m_hideSame = false;
};
