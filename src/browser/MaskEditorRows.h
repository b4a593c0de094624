// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The working copy the mask editor edits: one row per mask. Nothing reaches
// the mask collection unless the editor is confirmed. Rows are told apart by
// an identity of their own, not by the name they were created with, so a row
// renamed away from a name leaves that name free for a new row.
class MaskEditorRows {
public:
    struct Row {
        qint32 id = 0;
        QString name;
        QString extensions;
    };

    // Message numbers the checks answer with; 0 means accepted.
    static constexpr qint32 DuplicateName = 135;
    static constexpr qint32 LastRow = 137;

    void Load(const QList<QPair<QString, QString>>& namesAndValues);
    const QList<Row>& Rows() const { return m_rows; }
    qint32 Count() const { return qint32(m_rows.size()); }
    bool Changed() const { return m_changed; }

    // 0 and the new row's index, or DuplicateName when another row has the name.
    qint32 Add(const QString& name, const QString& extensions, int* newIndex = nullptr);
    // Only other rows are compared: a row may take its own name in other case.
    qint32 Edit(int index, const QString& name, const QString& extensions);
    qint32 CanDelete(int index) const;
    // Removes the row and returns the index to select next (the row before, or the first).
    int Delete(int index);

private:
    bool NameTakenByOther(const QString& name, qint32 exceptId) const;

    QList<Row> m_rows;
    qint32 m_nextId = 1;
    bool m_changed = false;
};
