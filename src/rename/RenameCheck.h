// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/FolderListing.h"
#include "rename/RenameRule.h"
#include "rename/pRenFiles.h"

#include <QByteArray>
#include <QList>
#include <QString>

class JobContext;

// The files a check works on: those listed for renaming, in processing
// order, and the names of every other entry of the folder (files outside
// the mask, folders, links and dot-files take names too).
struct RenameSource {
    QList<FolderListing::Entry> listed;
    QList<QByteArray> others;

    // The folder as the file box lists it with that mask.
    static RenameSource FromFolder(const QString& folder, const QString& mask);
    // Names given as a folder's only entries, in the given order; the mask
    // and the file box's rules (no dot-files) choose those listed. A name
    // given twice counts once.
    static RenameSource FromNames(const QList<QByteArray>& names, const QString& mask);
};

// The key under which names collide: simple case folding, code point by code
// point (a surrogate pair folded as one, a lone surrogate kept).
QString RenameFoldKey(const QString& name);
// The same folding in place, for keys kept in buffers of their own.
void RenameFoldUnits(char16_t* units, qsizetype size);

// The check pass: the new name of every listed file and its status, in
// linear time. `counter` starts at the first number and is advanced once per
// name the rule computes. With a context, progress is reported and a cancel
// ends the check early (false).
bool CheckRename(const RenameRule& rule, const RenameSource& source, qint64& counter,
                 pRenFiles& out, JobContext* context = nullptr);
