// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Start-up and shut-down of a Tolvane run.

// The program's name, version, icon and desktop entry for the application
// object. No display name: Qt would append it to every window title, and the
// titles read exactly as the windows give them.
void SetApplicationIdentity();

// Creates the application-wide objects, reads the options, points help at the
// program folder, then opens either the one tool a switch names or the main
// window. The caller runs the event loop afterwards (when a window is open)
// and ends the process with AppExitCode(): 1 when start-up failed.
void Main(const QStringList& argumentsAfterProgram);

// Opens the tool a switch names; true when it did (the main window then stays closed).
bool HasCmd(const QStringList& argumentsAfterProgram);

// Ends the run: writes the options back, releases the application-wide
// objects and unloads every window still open. Safe to call more than once.
// A non-zero code becomes the process's exit code (SetAppExitCode).
void AppShutdown(int exitCode = 0);

// The text "--version" or "--help" asks for, or empty when the arguments ask
// for neither. Needs no window system.
QString CommandLineInfo(const QStringList& argumentsAfterProgram);

// The program speaks German whatever the desktop's language: Qt's own
// buttons and dialogs ("Ja", "Abbrechen") must match the texts around them.
void InstallGermanQtTexts();
