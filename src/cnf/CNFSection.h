// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFCollection.h"
#include "cnf/CNFKeys.h"

#include <QString>

#include <memory>

// One [section] of a document with its keys.
class CNFSection {
public:
    // With `exact`, brackets around the name are kept (see SetName).
    CNFSection(const QString& name, qint32 index, bool exact = false);
    // A section read from a document whose name stays in the document's
    // text until it is first asked for.
    CNFSection(const CNFRawText& name, qint32 index, bool exact);
    CNFSection(const CNFSection&) = delete;
    CNFSection& operator=(const CNFSection&) = delete;

    const QString& Name() const
    {
        if (m_rawName.IsHeld())
            DecodeName();
        return m_name;
    }
    // A leading "[" and a trailing "]" are dropped. Re-files the section; a
    // name another section has fails and leaves the section as it was.
    void SetName(const QString& name);
    qint32 Index() const { return m_index; }
    void SetIndex(qint32 index);
    const QString& Tag() const;
    void SetTag(const QString& tag);

    CNFKeys& Keys() { return m_keys; }
    const CNFKeys& Keys() const { return m_keys; }

    // The section's own name or index changed, or its keys did.
    bool Dirty() const { return m_changed || m_keys.Dirty(); }
    void ClearDirty();

    // The name as SetName stores it.
    static QString StripBrackets(const QString& name);

private:
    friend class CNFCollection<CNFSection>;

    void DecodeName() const;
    void StoreName(const QString& name)
    {
        m_name = name;
        m_rawName = CNFRawText();
    }

    mutable QString m_name;
    mutable CNFRawText m_rawName;
    std::unique_ptr<QString> m_tag; // rarely used: kept out of every section's size
    CNFKeys m_keys;
    CNFCollection<CNFSection>* m_owner = nullptr;
    qint32 m_index = 0;
    bool m_changed = false;
    bool m_exact = false; // the raw name is the name, brackets and all
};
