// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FolderHandle.h"

#include <QByteArray>

#include <vector>

// How a file compares with the other folder.
enum class DirCompClass : quint8 {
    // Source: the destination has no such file, or the source's is newer,
    // or both are as old (to the second) and their sizes differ.
    Differs,
    // Source: the destination's file is newer, or as old and as large.
    // Destination: the source has a file of that name.
    Same,
    // Destination: the source has no file of that name.
    Extra,
};

// One regular file of a compared folder, exactly as it was read.
struct DirCompItem {
    QByteArray name; // the bytes the folder holds
    EntryStat stat;
    qint32 partner = -1; // index of its file in the other folder's list
    DirCompClass cls = DirCompClass::Differs;
    // Its name meets more than one file of the other side where letter case
    // is ignored (or two of its side land on one there): never acted on.
    bool conflict = false;
};

// A folder's files in byte order of their names.
using DirCompItems = std::vector<DirCompItem>;
