// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFSection.h"

CNFSection::CNFSection(const QString& name, qint32 index, bool exact)
    : m_name(exact ? name : StripBrackets(name)), m_keys(*this), m_index(index)
{
}

CNFSection::CNFSection(const CNFRawText& name, qint32 index, bool exact)
    : m_rawName(name), m_keys(*this), m_index(index), m_exact(exact)
{
}

void CNFSection::DecodeName() const
{
    m_name = m_exact ? m_rawName.Decode() : StripBrackets(m_rawName.Decode());
    m_rawName = CNFRawText();
}

QString CNFSection::StripBrackets(const QString& name)
{
    QStringView inner(name);
    if (inner.startsWith(u'['))
        inner = inner.sliced(1);
    if (inner.endsWith(u']'))
        inner.chop(1);
    return inner.size() == name.size() ? name : inner.toString();
}

void CNFSection::SetName(const QString& name)
{
    const QString stripped = StripBrackets(name);
    if (m_owner)
        m_owner->Rename(*this, stripped);
    else
        m_name = stripped;
    m_changed = true;
}

void CNFSection::SetIndex(qint32 index)
{
    m_index = index;
    m_changed = true;
}

void CNFSection::ClearDirty()
{
    m_changed = false;
    m_keys.ClearDirty();
}

const QString& CNFSection::Tag() const
{
    static const QString none;
    return m_tag ? *m_tag : none;
}

void CNFSection::SetTag(const QString& tag)
{
    if (m_tag)
        *m_tag = tag;
    else
        m_tag = std::make_unique<QString>(tag);
}
