// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TempDir.h"
#include "support/TestText.h"

#include <QByteArray>
#include <QStringList>

// A `wine` of our own, alone on PATH while the object lives: it logs each call,
// names P as Z:\... for "winepath -w P" and ends "regsvr32" with exitWith()'s
// code, or after sleepForever() waits to be ended.
class StandInWine {
public:
    // `named` "wine" or "wine64"; `onPath` false leaves PATH without any Wine.
    explicit StandInWine(const char* named = "wine", bool onPath = true);
    ~StandInWine() { qputenv("PATH", m_previousPath); }

    void exitWith(int code) { m_dir.writeFile(u("exitcode"), QByteArray::number(code)); }
    void sleepForever() { m_dir.writeFile(u("sleep")); }

    // One entry per call: "ARGS|WINEPREFIX|WINEDLLOVERRIDES|WINEDEBUG".
    QStringList calls() const;
    // The process id of the sleeping regsvr32 call; 0 before it started.
    int sleeperPid() const;

private:
    TempDir m_dir;
    QByteArray m_previousPath = qgetenv("PATH");
};

// A library with version 2.3.4.123 in its fixed block and `fileVersion`, unless
// empty, as its text; by default 64-bit with both registration entry points.
QByteArray ComServerImage(const QString& fileVersion = {}, bool pe32Plus = true,
                          const QStringList& exports = {u("DllRegisterServer"),
                                                        u("DllUnregisterServer")});
