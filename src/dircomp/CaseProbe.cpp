// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/CaseProbe.h"

#include "platform/FolderHandle.h"

#include <algorithm>
#include <cerrno>

namespace {
// Enough names that one with letters is found; few enough to cost nothing.
constexpr int kProbes = 16;

QByteArray swappedCase(const QByteArray& name)
{
    QByteArray swapped = name;
    for (char& c : swapped) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return swapped;
}

bool listed(const DirCompItems& items, const QByteArray& name)
{
    const auto at = std::lower_bound(
        items.begin(), items.end(), name,
        [](const DirCompItem& item, const QByteArray& key) { return item.name < key; });
    return at != items.end() && at->name == name;
}
} // namespace

bool FolderIgnoresCase(const FolderHandle& folder, const DirCompItems& items)
{
    int probes = 0;
    for (const DirCompItem& item : items) {
        const QByteArray swapped = swappedCase(item.name);
        if (swapped == item.name)
            continue;
        // Both spellings listed as files of their own: case counts here.
        if (listed(items, swapped))
            return false;
        EntryStat found;
        const int code = folder.statAt(swapped, found);
        if (code == 0)
            return found.inode == item.stat.inode;
        if (code == ENOENT)
            return false;
        if (++probes >= kProbes)
            break;
    }
    return folder.caseHint().value_or(false);
}
