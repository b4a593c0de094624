// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/pPattern.h"

#include <QList>
#include <QPair>

#include <memory>
#include <vector>

// Receives the mask entries of the pop-up menu (caption = name, tag = value);
// the main window implements it. The fixed entries before them are the
// window's own.
class pPatternsMenuOwner {
public:
    virtual ~pPatternsMenuOwner() = default;
    virtual void SetMaskMenuEntries(const QList<QPair<QString, QString>>& captionsAndTags) = 0;
};

// The named file masks, held for the main window's whole life and kept in the
// Patterns key of the settings (one text value per mask).
class pPatterns {
public:
    qint32 Count() const { return qint32(m_items.size()); }
    static QString DefaultMask() { return QStringLiteral("*.*"); }
    // 1-based position; null outside 1..Count.
    const pPattern* Item(qint32 index) const;
    // By name, letter case ignored; null when there is none.
    const pPattern* Item(const QString& name) const;
    auto begin() const { return m_items.cbegin(); }
    auto end() const { return m_items.cend(); }

    // Raises (collection error 457) when a mask of that name exists.
    const pPattern& Add(const QString& name, const QString& value);
    void Clear() { m_items.clear(); }
    void BuildMenu();
    void Init(pPatternsMenuOwner* owner);
    // Stores the collection in the settings, then reloads it from there (so
    // it comes back in name order).
    void RefreshRegistry();

private:
    qint32 ReadFromRegSub();

    std::vector<std::unique_ptr<pPattern>> m_items;
    pPatternsMenuOwner* m_owner = nullptr;
};
