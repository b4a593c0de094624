// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QStringList>

#include <cstdio>
#include <initializer_list>

// One entry per sub-command of tolvane-cli. Each gets the arguments after its
// own name, prints its records on standard output, its errors (German) on
// standard error, and returns the exit code.
struct CliCommand {
    const char* name;
    const char* usage;
    int (*run)(const QStringList& args);
};

// Every command the companion knows, in the order `--help` lists them.
const CliCommand* cliCommands(int& count);

// Helpers shared by the commands.
void cliPrint(const QString& line);    // one line on standard output, UTF-8
void cliError(const QString& message); // one line on standard error, UTF-8
// One line made of the parts, UTF-8, encoded a piece at a time: no copy of
// a long text is made.
void cliPrintParts(std::initializer_list<QStringView> parts);
// Bytes on standard output exactly as given, then `end`: a file name that is
// not UTF-8 keeps its bytes (EncodeFileName), and '\0' ends the records of
// NUL-separated output.
void cliPrintBytes(QByteArrayView bytes, char end = '\n');
// `code` when everything written to standard output reached it; else a
// German message on standard error and 1, so that output cut short by a full
// disk never passes for complete. Reports once however often it is asked.
int cliOutputChecked(int code);
// True when `path` names a regular file (or, if allowed, a folder); else a
// German message on standard error says what is wrong: missing, or a FIFO,
// device ... that no command reads.
bool cliCheckInputFile(const QString& path, bool allowFolder);
