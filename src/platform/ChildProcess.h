// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

// Runs a program to its end and waits for it, without a shell: the program
// gets its arguments as exact bytes (EncodeFileName), stdin from /dev/null,
// and its output either captured or dropped. It runs in a process group of
// its own, so a time-out or a cancel ends it together with whatever it
// started. Called from any thread (a worker job's above all).
class ChildProcess {
public:
    struct Request {
        QString program;       // a path (see findProgram)
        QStringList arguments; // after the program's name
        // Set on top of this process's environment.
        QList<QPair<QByteArray, QByteArray>> environment;
        int timeoutMs = -1; // below 0: no limit
        // Asked every few milliseconds; true ends the program.
        std::function<bool()> cancelled;
        bool captureOutput = false; // standard output; standard error is dropped
    };

    struct Result {
        enum class Status {
            Exited,    // exitCode holds its code
            Crashed,   // ended by a signal; exitCode holds its number
            TimedOut,  // ended by us after timeoutMs
            Cancelled, // ended by us when asked to
            NotStarted // error holds the errno
        };
        Status status = Status::NotStarted;
        int exitCode = -1;
        int error = 0;
        QByteArray output;
    };

    static Result run(const Request& request);

    // The program's path on PATH as it is now; empty when it is not there.
    static QString findProgram(const QString& name);
};
