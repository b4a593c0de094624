// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Opening files for the user with the desktop's programs.

// Opens a file or folder with its associated program, started in
// `workingFolder` (empty: the volume root of the file). Raises library error 6
// with the shell code when it cannot be opened; true otherwise.
bool ShellOpen(const QString& file, const QString& workingFolder = {});
// The same without raising: the shell code, above 32 when the program started.
int ShellOpenCode(const QString& file, const QString& workingFolder = {});

// The German text for a shell code.
QString ShellErrorText(qint32 code);

// The command that opens `file` in a text editor: the configured editor
// command line (quotes honoured, "%1" replaced by the file, else the file
// appended), else the desktop's default application for plain text, else
// $VISUAL. Empty when there is none.
QStringList EditorCommand(const QString& configuredEditor, const QString& file);

// Opens `file` with the editor of the option "Editor" (see EditorCommand),
// started directly without a shell. Raises library error 6 with the shell
// code on failure; true otherwise.
bool OpenInEditor(const QString& file);
// The same without raising: the shell code, above 32 when the editor started.
int OpenInEditorCode(const QString& file);
