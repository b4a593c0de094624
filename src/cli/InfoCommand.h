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

int RunInfoCommand(const QStringList& args);
