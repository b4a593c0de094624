// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFKey.h"

CNFKey::CNFKey(QString name, QString value, qint32 index)
    : m_name(std::move(name)), m_value(std::move(value)), m_index(index)
{
}

CNFKey::CNFKey(QString name, const CNFRawText& raw, qint32 index)
    : m_name(std::move(name)), m_raw(raw), m_index(index)
{
}

void CNFKey::DecodeValue() const
{
    m_value = m_raw.Decode();
    m_raw = CNFRawText();
}

void CNFKey::Changed()
{
    m_dirty = true;
    if (m_owner)
        m_owner->NoteItemChanged();
}

void CNFKey::SetName(const QString& name)
{
    if (m_owner)
        m_owner->Rename(*this, name);
    else
        m_name = name;
    Changed();
}

void CNFKey::SetValue(const QString& value)
{
    m_value = value;
    m_raw = CNFRawText();
    Changed();
}

void CNFKey::SetIndex(qint32 index)
{
    m_index = index;
    Changed();
}

const QString& CNFKey::Tag() const
{
    static const QString none;
    return m_tag ? *m_tag : none;
}

void CNFKey::SetTag(const QString& tag)
{
    if (m_tag)
        *m_tag = tag;
    else
        m_tag = std::make_unique<QString>(tag);
}
