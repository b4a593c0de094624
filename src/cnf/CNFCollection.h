// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFNameIndex.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

// The ordered, name-keyed collection behind CNFSections and CNFKeys. Items
// keep the order in which they were added, positions count from 1, and a
// name (case ignored) is filed at most once. Renaming an item re-files it.
// Items are owned here; a reference to an item stays valid until the item
// is removed or the collection cleared.
//
// A collection may hold items it has not made yet (see Pending): the reader
// notes where they stand in the document's text, and they become items the
// first time anybody looks at the collection.
template <typename T> class CNFCollection {
public:
    CNFCollection() = default;
    CNFCollection(const CNFCollection&) = delete;
    CNFCollection& operator=(const CNFCollection&) = delete;
    virtual ~CNFCollection() = default;

    qint32 Count() const { return qint32(m_items.size()) + m_pending; }
    // By 1-based position; a position outside the collection fails.
    T& Item(qint32 index) { return *Items()[Position(index, "Item")]; }
    const T& Item(qint32 index) const { return *Items()[Position(index, "Item")]; }
    // By name, case ignored; a missing name fails.
    T& Item(QStringView name) { return *Items()[Position(name, "Item")]; }
    const T& Item(QStringView name) const { return *Items()[Position(name, "Item")]; }
    // By name, case ignored; null when missing.
    T* Find(QStringView name)
    {
        const qint32 at = Lookup(name);
        return at < 0 ? nullptr : Items()[size_t(at)].get();
    }
    const T* Find(QStringView name) const
    {
        const qint32 at = Lookup(name);
        return at < 0 ? nullptr : Items()[size_t(at)].get();
    }

    void Clear()
    {
        DropPending();
        m_items.clear();
        m_index.Reset();
        m_changed = true;
    }
    void Remove(qint32 index) { Erase(Position(index, "Remove")); }
    void Remove(QStringView name) { Erase(Position(name, "Remove")); }

    // Set by Add, Clear and Remove.
    bool Changed() const { return m_changed; }
    // Set when an item reports a change of its own (see NoteItemChanged).
    bool ItemChanged() const { return m_itemChanged; }

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
    Iterator begin() { return Iterator(Items().cbegin()); }
    Iterator end() { return Iterator(Items().cend()); }
    ConstIterator begin() const { return ConstIterator(Items().cbegin()); }
    ConstIterator end() const { return ConstIterator(Items().cend()); }

protected:
    // Failures of this collection, raised as the program's error records.
    [[noreturn]] virtual void RaiseDuplicate(QStringView name, const char* procedure) const = 0;
    [[noreturn]] virtual void RaiseMissing(QStringView name, const char* procedure) const = 0;
    [[noreturn]] virtual void RaiseOutOfRange(qint32 index, const char* procedure) const = 0;

    // Makes the pending items (m_pending of them) into items at the end of
    // the collection, in order, with AppendNew.
    virtual void MakePending() {}
    // Forgets the pending items.
    virtual void DropPending() { m_pending = 0; }

    // What Append does with a name that is already present.
    enum class Present {
        Fail,  // raise the duplicate failure; the new item is dropped
        Reuse, // return the item filed under the name; the new item is dropped
        Absent // the caller knows the name is new: nothing is looked up
    };

    // Files a new item under its name. `hash` is the name's hash when the
    // caller has it already.
    T& Append(std::unique_ptr<T> item, const char* procedure, Present present = Present::Fail,
              std::optional<quint32> hash = std::nullopt)
    {
        Items();
        if (present == Present::Absent)
            return AppendNew(std::move(item));
        qint32 at = -1;
        if (m_items.size() + 1 >= kIndexFrom) {
            EnsureIndex();
            at = m_index.FindOrInsert(hash ? *hash : CNFNameIndex::Hash(item->Name()),
                                      qint32(m_items.size()),
                                      [&](qint32 filed) { return Same(filed, *item); });
        } else {
            at = LookupSmall(item->Name());
        }
        if (at >= 0) {
            if (present == Present::Fail)
                RaiseDuplicate(item->Name(), procedure);
            return *m_items[size_t(at)];
        }
        return Push(std::move(item));
    }
    // Appends an item whose name is known to be new; the name index is
    // built again on the next lookup.
    T& AppendNew(std::unique_ptr<T> item)
    {
        m_index.Reset();
        return Push(std::move(item));
    }

    void Prefetch(quint32 hash) const { m_index.Prefetch(hash); }
    void ClearChanged() { m_changed = false; }
    void ClearItemChanged() { m_itemChanged = false; }
    // Items that exist only in the document's text so far.
    qint32 m_pending = 0;

private:
    friend T;

    // Below this size a straight search is as quick as hashing.
    static constexpr size_t kIndexFrom = 16;

    // The items, the pending ones made first. The collection is not
    // changed by it in any way a caller could see.
    const std::vector<std::unique_ptr<T>>& Items() const
    {
        if (m_pending > 0)
            const_cast<CNFCollection*>(this)->MakeAll();
        return m_items;
    }
    void MakeAll()
    {
        const bool changed = m_changed;
        MakePending();
        m_pending = 0;
        m_changed = changed;
    }

    // A key's own flags change without its collection noticing; this lets
    // clearing the flags after a read skip items nobody touched.
    void NoteItemChanged() { m_itemChanged = true; }

    T& Push(std::unique_ptr<T> item)
    {
        item->m_owner = this;
        m_items.push_back(std::move(item));
        m_changed = true;
        return *m_items.back();
    }

    bool Same(qint32 at, const T& item) const
    {
        return CNFNameIndex::SameName(m_items[size_t(at)]->Name(), item.Name());
    }

    void Rename(T& item, const QString& name)
    {
        const qint32 at = Lookup(name);
        if (at >= 0 && m_items[size_t(at)].get() != &item)
            RaiseDuplicate(name, "Name");
        item.StoreName(name);
        m_index.Reset();
    }

    qint32 LookupSmall(QStringView name) const
    {
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (CNFNameIndex::SameName(m_items[i]->Name(), name))
                return qint32(i);
        }
        return -1;
    }
    qint32 Lookup(QStringView name) const
    {
        Items();
        if (m_items.size() < kIndexFrom)
            return LookupSmall(name);
        EnsureIndex();
        return m_index.Find(CNFNameIndex::Hash(name), [&](qint32 at) {
            return CNFNameIndex::SameName(m_items[size_t(at)]->Name(), name);
        });
    }
    void EnsureIndex() const
    {
        if (m_index.IsBuilt())
            return;
        for (size_t i = 0; i < m_items.size(); ++i)
            m_index.Insert(CNFNameIndex::Hash(m_items[i]->Name()), qint32(i));
    }
    size_t Position(qint32 index, const char* procedure) const
    {
        Items();
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
    bool m_itemChanged = false;
};
