// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dircomp/DirCompItem.h"

#include <QList>
#include <QString>

// One line of a list in the comparison window.
struct DirCompRow {
    QString name; // decoded losslessly (platform/FileNameCodec.h)
    DirCompClass cls = DirCompClass::Differs;
};
using DirCompRows = QList<DirCompRow>;

// A folder's compared files in the program's listing order (by name ignoring
// case, ties by the exact name), as the folder boxes show files.
DirCompRows ListingRows(const DirCompItems& items);
