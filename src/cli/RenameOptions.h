// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename/RenameRule.h"

#include <QString>
#include <QStringList>

// The switches of `tolvane-cli rename`, read into a rule. Each choice
// defaults to its first value, positions to 1; an option that belongs to
// another mode, --places or --number-at without --number, a rule that
// changes nothing or gives every file one name are wrong calls.
struct RenameCommandOptions {
    RenameRule rule;
    qint64 firstNumber = 0;
    QString folder; // with a trailing "/"
    QString mask = QStringLiteral("*.*");
    bool fromStdin = false;
    bool null = false;
    bool run = false;
    bool undo = false;

    // False for a wrong call, with a German `problem` (empty when the
    // option reader has already said what was wrong).
    bool Read(const QStringList& args, QString& problem);

private:
    bool ReadMode(const class CliOptions& o, QString& problem);
    bool ReadNumbering(const class CliOptions& o, QString& problem);
};
