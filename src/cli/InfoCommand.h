// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// `tolvane-cli info FILE`: the rows of the main window's information pane
// (the file's own, then its version resource when it has one), then the
// document properties when the file has any.

struct InfoRow {
    QString label;
    QString value;
};

// The rows for one file; empty when the file does not exist.
QList<InfoRow> InfoRows(const QString& path);

// `tolvane-cli info FILE...`: with several files, a line "== PATH" (the
// path's own bytes) before each file's rows; exit 1 when any file failed.
int runInfoCommand(const QStringList& args);

extern const char* const kInfoCommandUsage;
