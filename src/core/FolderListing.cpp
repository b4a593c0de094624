// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FolderListing.h"

#include "core/SortHead.h"
#include "platform/FileNameCodec.h"
#include "platform/FolderReader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {
// The name of a folder entry, decoded without loss. The fast decoder marks
// bad bytes with U+FFFD; only then is the name looked at byte by byte.
QString decodedName(const QByteArray& bytes, bool& valid)
{
    QString name = QString::fromUtf8(bytes);
    valid = !name.contains(QChar(QChar::ReplacementCharacter)) || IsUtf8FileName(bytes);
    return valid ? name : DecodeFileName(bytes);
}
} // namespace

template <class Sink>
void FolderListing::Scan(const QString& folder, Kind kind, const FilePattern* pattern, Sink&& sink,
                         QList<QByteArray>* others)
{
    const FolderReader::Kind wanted =
        kind == Kind::Folder ? FolderReader::Kind::Folder : FolderReader::Kind::Regular;
    for (FolderReader reader(folder); reader.next();) {
        if (reader.name()[0] == '.' || reader.kind() != wanted) {
            if (others)
                others->append(QByteArray(reader.name()));
            continue;
        }
        QByteArray bytes(reader.name());
        bool valid = true;
        QString name = decodedName(bytes, valid);
        if (pattern && !pattern->Matches(name)) {
            if (others)
                others->append(std::move(bytes));
            continue;
        }
        if (!sink(std::move(name), std::move(bytes), valid))
            return;
    }
}

QStringList FolderListing::Files(const QString& folder, const FilePattern& pattern)
{
    return Names(folder, Kind::File, &pattern);
}

QStringList FolderListing::Folders(const QString& folder)
{
    return Names(folder, Kind::Folder, nullptr);
}

QStringList FolderListing::Names(const QString& folder, Kind kind, const FilePattern* pattern)
{
    QStringList names;
    Scan(folder, kind, pattern, [&names](QString&& name, QByteArray&&, bool) {
        names.append(std::move(name));
        return true;
    });
    SortNames(names);
    return names;
}

QList<FolderListing::Entry> FolderListing::FileEntries(const QString& folder,
                                                       const FilePattern& pattern)
{
    QList<Entry> entries;
    Scan(folder, Kind::File, &pattern, [&entries](QString&& name, QByteArray&& bytes, bool valid) {
        entries.append(Entry{std::move(name), std::move(bytes), valid});
        return true;
    });
    SortEntries(entries);
    return entries;
}

QList<FolderListing::Entry> FolderListing::FileEntries(const QString& folder,
                                                       const FilePattern& pattern,
                                                       QList<QByteArray>& others)
{
    QList<Entry> entries;
    Scan(
        folder, Kind::File, &pattern,
        [&entries](QString&& name, QByteArray&& bytes, bool valid) {
            entries.append(Entry{std::move(name), std::move(bytes), valid});
            return true;
        },
        &others);
    SortEntries(entries);
    return entries;
}

bool FolderListing::HasFile(const QString& folder, const FilePattern& pattern)
{
    bool found = false;
    Scan(folder, Kind::File, &pattern, [&found](QString&&, QByteArray&&, bool) {
        found = true;
        return false;
    });
    return found;
}

namespace {
// The listing order is by name ignoring case (QString::toCaseFolded), ties
// by the exact name, both comparing UTF-16 code units. A large folder sorts
// by keys made once per name: the folded name as bytes in which each code
// unit is written the way UTF-8 writes a value (surrogates too), so that
// byte order is code unit order, and its first 16 bytes as two numbers.
// Most comparisons then never leave the key array.
struct SortKey {
    quint64 head[2]; // the first 16 key bytes, big-endian, zero-padded
    quint32 offset;  // of the whole key in the key bytes
    quint32 length;
    qsizetype index; // of the item
};

void appendUnit(std::string& key, char16_t u)
{
    if (u < 0x80) {
        key += char(u);
    } else if (u < 0x800) {
        key += char(0xC0 | (u >> 6));
        key += char(0x80 | (u & 0x3F));
    } else {
        key += char(0xE0 | (u >> 12));
        key += char(0x80 | ((u >> 6) & 0x3F));
        key += char(0x80 | (u & 0x3F));
    }
}

// Appends the key of one name. An ASCII name (most are) folds by itself;
// only others pay for a folded copy.
void appendKey(std::string& keys, const QString& name)
{
    const char16_t* units = QStringView(name).utf16();
    const qsizetype size = name.size();
    qsizetype ascii = 0;
    while (ascii < size && units[ascii] < 0x80)
        ++ascii;
    if (ascii == size) {
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t u = units[i];
            keys += char(u >= 'A' && u <= 'Z' ? u + 32 : u);
        }
        return;
    }
    for (QChar c : name.toCaseFolded())
        appendUnit(keys, c.unicode());
}

SortKey makeKey(const std::string& keys, size_t offset, qsizetype index)
{
    const quint32 length = quint32(keys.size() - offset);
    const auto head = SortHead(QByteArrayView(keys.data() + offset, length));
    return {{head[0], head[1]}, quint32(offset), length, index};
}

// Key order; 0 for equal keys.
int compareKeys(const SortKey& a, const SortKey& b, const char* keys)
{
    for (int i = 0; i < 2; ++i) {
        if (a.head[i] != b.head[i])
            return a.head[i] < b.head[i] ? -1 : 1;
    }
    const quint32 common = std::min(a.length, b.length);
    if (common > 16) {
        const int c = std::memcmp(keys + a.offset + 16, keys + b.offset + 16, common - 16);
        if (c != 0)
            return c;
    }
    return a.length == b.length ? 0 : a.length < b.length ? -1 : 1;
}

template <class Item, class NameOf> void sortByListingOrder(QList<Item>& items, NameOf nameOf)
{
    std::string keys;
    keys.reserve(size_t(items.size()) * 24);
    std::vector<SortKey> order;
    order.reserve(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i) {
        const size_t offset = keys.size();
        appendKey(keys, nameOf(items.at(i)));
        order.push_back(makeKey(keys, offset, i));
    }
    const char* bytes = keys.data();
    std::sort(order.begin(), order.end(), [&](const SortKey& a, const SortKey& b) {
        const int c = compareKeys(a, b, bytes);
        return c != 0 ? c < 0 : nameOf(items.at(a.index)) < nameOf(items.at(b.index));
    });
    QList<Item> sorted;
    sorted.reserve(items.size());
    for (const SortKey& key : order)
        sorted.append(std::move(items[key.index]));
    items = std::move(sorted);
}
} // namespace

void FolderListing::SortNames(QStringList& names)
{
    sortByListingOrder(names, [](const QString& name) -> const QString& { return name; });
}

void FolderListing::SortEntries(QList<Entry>& entries)
{
    sortByListingOrder(entries, [](const Entry& entry) -> const QString& { return entry.name; });
}
