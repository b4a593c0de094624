// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/pPatterns.h"

#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/Registry.h"
#include "core/TextUtil.h"
#include "core/cuAppError.h"

#include <QHash>

#include <algorithm>

namespace {
constexpr qint32 kDuplicateKey = 457;

QString SourceName()
{
    return QStringLiteral("pPatterns");
}
} // namespace

const pPattern* pPatterns::Item(qint32 index) const
{
    if (index < 1 || index > Count())
        return nullptr;
    return m_items[size_t(index - 1)].get();
}

const pPattern* pPatterns::Item(const QString& name) const
{
    for (const auto& item : m_items) {
        if (QString::compare(item->Name, name, Qt::CaseInsensitive) == 0)
            return item.get();
    }
    return nullptr;
}

const pPattern& pPatterns::Add(const QString& name, const QString& value)
{
    if (Item(name))
        throw AppErrorRecord(kDuplicateKey, SourceName() + QStringLiteral(": Add"),
                             QStringLiteral("Dieser Schlüssel ist bereits einem Element dieser "
                                            "Auflistung zugeordnet."));
    auto item = std::make_unique<pPattern>();
    item->Name = name;
    item->SetValue(value);
    m_items.push_back(std::move(item));
    return *m_items.back();
}

void pPatterns::Init(pPatternsMenuOwner* owner)
{
    try {
        m_owner = owner;
        Clear();
        BuildMenu();
    } catch (...) {
        AppErr().ErrRaise(0, SourceName(), QStringLiteral("Init"));
    }
}

void pPatterns::BuildMenu()
{
    try {
        if (m_items.empty())
            ReadFromRegSub();
        QList<QPair<QString, QString>> entries;
        for (const auto& item : m_items)
            entries.append({item->Name, item->Value()});
        if (m_owner)
            m_owner->SetMaskMenuEntries(entries);
    } catch (...) {
        AppErr().ErrRaise(0, SourceName(), QStringLiteral("BuildMenu"));
    }
}

qint32 pPatterns::ReadFromRegSub()
{
    try {
        const Registry reg;
        const QString path = AppKeyPath(akPatterns);
        auto values = reg.RegArrayValuesEx(HKEY_CURRENT_USER, path, false);
        if (!values || values->Count() == 0) {
            AppSaveSetting(akPatterns, QStringLiteral("ActiveX"),
                           QStringLiteral("dll;ocx;olb;tlb"));
            AppSaveSetting(akPatterns, QStringLiteral("Microsoft Access"),
                           QStringLiteral("mdb;mde;mda"));
            values = reg.RegArrayValuesEx(HKEY_CURRENT_USER, path, false);
            if (!values || values->Count() == 0)
                return 0;
        }
        QStringList names;
        QHash<QString, QString> dataByName;
        for (qint32 i = 1; i <= values->Count(); ++i) {
            const RegistryValue* entry = values->Item(i);
            const QString name = entry ? entry->Name() : QString();
            const QString data = entry ? entry->Value().toString() : QString();
            if (name.isEmpty() || data.trimmed().isEmpty())
                continue;
            names.append(name);
            dataByName.insert(name, data);
        }
        SortStringArray(names, false);
        qint32 added = 0;
        for (const QString& name : names) {
            // Names differing only in case cannot both live in the store; skip defensively.
            if (Item(name))
                continue;
            Add(name, dataByName.value(name));
            ++added;
        }
        return added;
    } catch (...) {
        AppErr().ErrRaise(0, SourceName(), QStringLiteral("ReadFromRegSub"));
        return 0;
    }
}

void pPatterns::RefreshRegistry()
{
    try {
        const Registry reg;
        const QString path = AppKeyPath(akPatterns);
        // Write the new set first and remove only what it no longer holds, so
        // an interrupted save never leaves the key empty. A name whose letter
        // case changed is written after its old spelling is gone, so the
        // stored name takes the new case.
        QStringList stored;
        reg.RegArrayValues(HKEY_CURRENT_USER, path, stored);
        auto storedInOtherCase = [&stored](const QString& name) {
            for (const QString& s : stored) {
                if (s != name && QString::compare(s, name, Qt::CaseInsensitive) == 0)
                    return true;
            }
            return false;
        };
        QList<const pPattern*> renamed;
        for (const auto& item : m_items) {
            if (item->Value().isEmpty())
                continue;
            if (storedInOtherCase(item->Name))
                renamed.append(item.get());
            else
                AppSaveSetting(akPatterns, item->Name, item->Value());
        }
        for (const QString& name : stored) {
            const bool kept =
                std::any_of(m_items.begin(), m_items.end(), [&name](const auto& item) {
                    return item->Name == name && !item->Value().isEmpty();
                });
            if (!kept)
                reg.RegValueDelete(HKEY_CURRENT_USER, path, name);
        }
        for (const pPattern* item : renamed)
            AppSaveSetting(akPatterns, item->Name, item->Value());
        Clear();
        BuildMenu();
    } catch (...) {
        AppErr().ErrRaise(0, SourceName(), QStringLiteral("RefreshRegistry"));
    }
}
