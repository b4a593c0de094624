// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileinfo/FileInfoRows.h"

#include <QList>
#include <QString>
#include <QStringList>

// `tolvane-cli info FILE`: the rows of the main window's information pane
// (fileinfo/FileInfoRows.h), then the document properties when the file has any.

// The rows for one file; empty when the file does not exist.
QList<FileInfoRow> InfoRows(const QString& path);

// `tolvane-cli info FILE...`: with several files, a line "== PATH" (the
// path's own bytes) before each file's rows; exit 1 when any file failed.
int runInfoCommand(const QStringList& args);

extern const char* const kInfoCommandUsage;
