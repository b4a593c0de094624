// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/DirCompRows.h"

#include "core/FolderListing.h"
#include "platform/FileNameCodec.h"

#include <algorithm>

DirCompRows ListingRows(const DirCompItems& items)
{
    QList<FolderListing::Entry> entries;
    entries.reserve(qsizetype(items.size()));
    for (const DirCompItem& item : items)
        entries.append({DecodeFileName(item.name), item.name, IsUtf8FileName(item.name)});
    FolderListing::SortEntries(entries);
    DirCompRows rows;
    rows.reserve(entries.size());
    for (FolderListing::Entry& entry : entries) {
        // The items are in byte order: each finds its class by its bytes.
        const auto item = std::lower_bound(
            items.begin(), items.end(), entry.bytes,
            [](const DirCompItem& a, const QByteArray& key) { return a.name < key; });
        rows.append({std::move(entry.name), item->cls});
    }
    return rows;
}
