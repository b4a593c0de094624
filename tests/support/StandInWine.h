// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TempDir.h"

#include <QByteArray>
#include <QStringList>

// A `wine` of our own, alone on PATH while the object lives (child processes
// inherit it): every call appends a line to its log with its arguments and
// the Wine variables it got. "winepath -w P" prints P as Wine names it
// (Z:\...); "regsvr32 ..." ends with the code set by exitWith(), or with
// sleepForever() writes its process id and waits to be ended.
class StandInWine {
public:
    // `named` "wine" or "wine64"; `onPath` false leaves PATH without any Wine.
    explicit StandInWine(const char* named = "wine", bool onPath = true);
    ~StandInWine();
    StandInWine(const StandInWine&) = delete;
    StandInWine& operator=(const StandInWine&) = delete;

    void exitWith(int code)
    {
        m_dir.writeFile(QStringLiteral("exitcode"), QByteArray::number(code));
    }
    void sleepForever() { m_dir.writeFile(QStringLiteral("sleep")); }

    // One entry per call: "ARGS|WINEPREFIX|WINEDLLOVERRIDES|WINEDEBUG".
    QStringList calls() const;
    // The process id of the sleeping regsvr32 call; 0 before it started.
    int sleeperPid() const;

private:
    QByteArray read(const char* name) const;

    TempDir m_dir;
    QByteArray m_previousPath;
};

// A 64-bit library with both registration entry points and, unless
// `fileVersion` is empty, a German version resource giving it.
QByteArray ComServerImage(const QString& fileVersion = {});
