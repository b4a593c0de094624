// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/MaskEditorRows.h"

#include <algorithm>

void MaskEditorRows::Load(const QList<QPair<QString, QString>>& namesAndValues)
{
    m_rows.clear();
    for (const auto& [name, value] : namesAndValues)
        m_rows.append({m_nextId++, name, value});
    m_changed = false;
}

bool MaskEditorRows::NameTakenByOther(const QString& name, qint32 exceptId) const
{
    for (const Row& row : m_rows) {
        if (row.id != exceptId && QString::compare(row.name, name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

qint32 MaskEditorRows::Add(const QString& name, const QString& extensions, int* newIndex)
{
    if (NameTakenByOther(name, 0))
        return DuplicateName;
    m_rows.append({m_nextId++, name, extensions});
    m_changed = true;
    if (newIndex)
        *newIndex = int(m_rows.size()) - 1;
    return 0;
}

qint32 MaskEditorRows::Edit(int index, const QString& name, const QString& extensions)
{
    if (index < 0 || index >= m_rows.size())
        return 0;
    Row& row = m_rows[index];
    if (NameTakenByOther(name, row.id))
        return DuplicateName;
    row.name = name;
    row.extensions = extensions;
    m_changed = true;
    return 0;
}

qint32 MaskEditorRows::CanDelete(int index) const
{
    if (index < 0 || index >= m_rows.size())
        return 0;
    return m_rows.size() == 1 ? LastRow : 0;
}

int MaskEditorRows::Delete(int index)
{
    if (index < 0 || index >= m_rows.size() || m_rows.size() == 1)
        return index;
    m_rows.removeAt(index);
    m_changed = true;
    return std::max(index - 1, 0);
}
