// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// What one run of the built tolvane-cli gave back.
struct CliResult {
    int code = -1;    // -1 when it crashed or did not finish
    QByteArray bytes; // standard output as written
    QString out;      // the same, read as UTF-8
    QString err;
};

// Runs tolvane-cli from the folder the test binary lives in, with the test's
// environment (and so its settings database).
CliResult runCli(const QStringList& args);
// The same with `childSetup` run in the child before tolvane-cli starts
// (a file size limit, for one).
CliResult runCli(const QStringList& args, const std::function<void()>& childSetup);
