// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FolderListing.h"

#include "platform/FileNameCodec.h"
#include "platform/FolderReader.h"

#include <algorithm>
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
void FolderListing::Scan(const QString& folder, Kind kind, const FilePattern* pattern, Sink&& sink)
{
    const FolderReader::Kind wanted =
        kind == Kind::Folder ? FolderReader::Kind::Folder : FolderReader::Kind::Regular;
    for (FolderReader reader(folder); reader.next();) {
        if (reader.name()[0] == '.' || reader.kind() != wanted)
            continue;
        QByteArray bytes(reader.name());
        bool valid = true;
        QString name = decodedName(bytes, valid);
        if (pattern && !pattern->Matches(name))
            continue;
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
// Listing order of the program: by name ignoring case, ties by exact name.
// Folding once per name keeps the sort of a large folder cheap.
template <class Item, class NameOf> void sortByListingOrder(QList<Item>& items, NameOf nameOf)
{
    std::vector<std::pair<QString, Item>> keyed;
    keyed.reserve(size_t(items.size()));
    for (Item& item : items) {
        QString folded = nameOf(item).toCaseFolded();
        keyed.emplace_back(std::move(folded), std::move(item));
    }
    std::sort(keyed.begin(), keyed.end(), [&nameOf](const auto& a, const auto& b) {
        const int c = a.first.compare(b.first);
        return c != 0 ? c < 0 : nameOf(a.second) < nameOf(b.second);
    });
    items.clear();
    items.reserve(qsizetype(keyed.size()));
    for (auto& pair : keyed)
        items.append(std::move(pair.second));
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
