// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFNameIndex.h"

#include <QString>

#include <memory>
#include <vector>

// The ordered, name-keyed collection behind CNFSections and CNFKeys. Items
// keep the order in which they were added, positions count from 1, and a
// name (case ignored) is filed at most once. Renaming an item re-files it.
// Items are owned here; a reference to an item stays valid until the item
// is removed or the collection cleared.
template <typename T> class CNFCollection {
public:
    CNFCollection() = default;
    CNFCollection(const CNFCollection&) = delete;
    CNFCollection& operator=(const CNFCollection&) = delete;
    virtual ~CNFCollection() = default;

    qint32 Count() const { return qint32(m_items.size()); }
    // By 1-based position; a position outside the collection fails.
    T& Item(qint32 index) { return *m_items[Position(index, "Item")]; }
    const T& Item(qint32 index) const { return *m_items[Position(index, "Item")]; }
    // By name, case ignored; a missing name fails.
    T& Item(QStringView name) { return *m_items[Position(name, "Item")]; }
    const T& Item(QStringView name) const { return *m_items[Position(name, "Item")]; }
    // By name, case ignored; null when missing.
    T* Find(QStringView name)
    {
        const qint32 at = Lookup(name);
        return at < 0 ? nullptr : m_items[size_t(at)].get();
    }
    const T* Find(QStringView name) const
    {
        const qint32 at = Lookup(name);
        return at < 0 ? nullptr : m_items[size_t(at)].get();
    }

    void Clear()
    {
        m_items.clear();
        m_index.Reset();
        m_changed = true;
    }
    void Remove(qint32 index) { Erase(Position(index, "Remove")); }
    void Remove(QStringView name) { Erase(Position(name, "Remove")); }

    // Set by Add, Clear and Remove.
    bool Changed() const { return m_changed; }

    // Range-for over the items in order.
    template <typename Item> class BasicIterator {
    public:
        using Base = typename std::vector<std::unique_ptr<T>>::const_iterator;
        explicit BasicIterator(Base at) : m_at(at) {}
        Item& operator*() const { return **m_at; }
        Item* operator->() const { return m_at->get(); }
        BasicIterator& operator++()
        {
            ++m_at;
            return *this;
        }
        bool operator==(const BasicIterator& other) const { return m_at == other.m_at; }
        bool operator!=(const BasicIterator& other) const { return m_at != other.m_at; }

    private:
        Base m_at;
    };
    using Iterator = BasicIterator<T>;
    using ConstIterator = BasicIterator<const T>;
    Iterator begin() { return Iterator(m_items.cbegin()); }
    Iterator end() { return Iterator(m_items.cend()); }
    ConstIterator begin() const { return ConstIterator(m_items.cbegin()); }
    ConstIterator end() const { return ConstIterator(m_items.cend()); }

protected:
    // Failures of this collection, raised as the program's error records.
    [[noreturn]] virtual void RaiseDuplicate(QStringView name, const char* procedure) const = 0;
    [[noreturn]] virtual void RaiseMissing(QStringView name, const char* procedure) const = 0;
    [[noreturn]] virtual void RaiseOutOfRange(qint32 index, const char* procedure) const = 0;

    // Files a new item under its name; a name already present fails and the
    // item is dropped.
    T& Append(std::unique_ptr<T> item, const char* procedure)
    {
        const QString& name = item->m_name;
        const bool indexed = m_items.size() + 1 >= kIndexFrom;
        const quint32 hash = indexed ? CNFNameIndex::Hash(name) : 0;
        if (indexed)
            EnsureIndex();
        if (Lookup(name, hash) >= 0)
            RaiseDuplicate(name, procedure);
        if (indexed)
            m_index.Insert(hash, qint32(m_items.size()));
        item->m_owner = this;
        m_items.push_back(std::move(item));
        m_changed = true;
        return *m_items.back();
    }

    void ClearChanged() { m_changed = false; }

private:
    friend T;

    // Below this size a straight search is as quick as hashing.
    static constexpr size_t kIndexFrom = 16;

    void Rename(T& item, const QString& name)
    {
        const qint32 at = Lookup(name);
        if (at >= 0 && m_items[size_t(at)].get() != &item)
            RaiseDuplicate(name, "Name");
        item.m_name = name;
        m_index.Reset();
    }

    qint32 Lookup(QStringView name) const
    {
        return Lookup(name, m_items.size() >= kIndexFrom ? CNFNameIndex::Hash(name) : 0);
    }
    qint32 Lookup(QStringView name, quint32 hash) const
    {
        if (m_items.size() < kIndexFrom) {
            for (size_t i = 0; i < m_items.size(); ++i) {
                if (CNFNameIndex::SameName(m_items[i]->m_name, name))
                    return qint32(i);
            }
            return -1;
        }
        EnsureIndex();
        return m_index.Find(hash, [&](qint32 at) {
            return CNFNameIndex::SameName(m_items[size_t(at)]->m_name, name);
        });
    }
    void EnsureIndex() const
    {
        if (m_index.IsBuilt())
            return;
        for (size_t i = 0; i < m_items.size(); ++i)
            m_index.Insert(CNFNameIndex::Hash(m_items[i]->m_name), qint32(i));
    }
    size_t Position(qint32 index, const char* procedure) const
    {
        if (index < 1 || index > Count())
            RaiseOutOfRange(index, procedure);
        return size_t(index - 1);
    }
    size_t Position(QStringView name, const char* procedure) const
    {
        const qint32 at = Lookup(name);
        if (at < 0)
            RaiseMissing(name, procedure);
        return size_t(at);
    }
    void Erase(size_t at)
    {
        m_items.erase(m_items.begin() + qsizetype(at));
        m_index.Reset();
        m_changed = true;
    }

    std::vector<std::unique_ptr<T>> m_items;
    mutable CNFNameIndex m_index;
    bool m_changed = false;
};
