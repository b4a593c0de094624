// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Starts programs for the user: a file with the desktop's associated program
// (xdg-open), or a program with its arguments, always directly and detached
// (no shell, so no file name can inject a command). Results are the shell
// codes the program has always reported: above 32 on success, else the
// reason (ShellCode).
namespace ShellCode {
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int NoAssociation = 31; // no program that could open it
constexpr int Started = 33;
} // namespace ShellCode

class ShellLauncher {
public:
    // Opens a file or folder with its associated program.
    static int openFile(const QString& path, const QString& workingFolder = {});
    // Opens a URL ("https://...", "mailto:...") or, for a plain path, the file.
    static int openTarget(const QString& target);
    // Starts program + arguments; the program is looked up in PATH. When it
    // does not start, `systemError` (if given) gets the errno of the attempt.
    static int startProgram(const QStringList& command, const QString& workingFolder = {},
                            int* systemError = nullptr);

    // 0 when `path` names an entry the user may read, else the shell code.
    static int checkReadable(const QString& path);

    // The program that hands a file to the desktop ("xdg-open"); tests put a
    // script of their own in its place. Empty restores the default.
    static void setOpenerProgram(const QString& program);
    static QString openerProgram();
};
