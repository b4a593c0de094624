// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/pPattern.h"

#include "core/TextUtil.h"

void pPattern::SetValue(const QString& text)
{
    m_value = text;
    m_maskArray.clear();
    if (text.isEmpty())
        return;
    SplitList(text, m_maskArray, QStringLiteral(";"));
    if (m_maskArray.size() == 2) {
        if (QString::compare(m_maskArray[0], m_maskArray[1], Qt::CaseInsensitive) > 0)
            m_maskArray.swapItemsAt(0, 1);
    } else {
        SortStringArray(m_maskArray, false);
    }
}

QStringList pPattern::ComboPatterns() const
{
    QStringList items{QStringLiteral("*.*")};
    QString joined;
    for (const QString& extension : m_maskArray) {
        const QString item = QStringLiteral("*.") + extension;
        items.append(item);
        AddToString(joined, item, QStringLiteral(";"), false);
    }
    if (m_maskArray.size() > 1)
        items.append(joined);
    return items;
}
