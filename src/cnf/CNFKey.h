// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFCollection.h"
#include "cnf/CNFRawText.h"

#include <QString>

#include <memory>

// One name=value entry of a section. Line breaks inside a value are "\n".
class CNFKey {
public:
    CNFKey(QString name, QString value, qint32 index);
    // A key read from a document whose value stays in the document's text
    // until it is first asked for.
    CNFKey(QString name, const CNFRawText& raw, qint32 index);
    CNFKey(const CNFKey&) = delete;
    CNFKey& operator=(const CNFKey&) = delete;

    const QString& Name() const { return m_name; }
    // Re-files the key in its section; a name another key of the section
    // has fails and leaves the key as it was.
    void SetName(const QString& name);
    const QString& Value() const
    {
        if (m_raw.IsHeld())
            DecodeValue();
        return m_value;
    }
    void SetValue(const QString& value);
    // The 1-based position the key was given when added; not renumbered.
    qint32 Index() const { return m_index; }
    void SetIndex(qint32 index);
    // Free for the caller's use; does not make the key dirty.
    const QString& Tag() const;
    void SetTag(const QString& tag);

    // Set by changing name, value or index since the last read or write.
    bool Dirty() const { return m_dirty; }
    void ClearDirty() { m_dirty = false; }

private:
    friend class CNFCollection<CNFKey>;

    void DecodeValue() const;
    void Changed();
    void StoreName(const QString& name) { m_name = name; }

    QString m_name;
    mutable QString m_value;
    mutable CNFRawText m_raw;
    std::unique_ptr<QString> m_tag; // rarely used: kept out of every key's size
    CNFCollection<CNFKey>* m_owner = nullptr;
    qint32 m_index = 0;
    bool m_dirty = false;
};
