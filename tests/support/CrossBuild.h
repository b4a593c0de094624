// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class TempDir;

// Builds a Windows program or library with the mingw-w64 tool chain of
// `prefix` ("x86_64-w64-mingw32", "i686-w64-mingw32") in `dir`: C `source`
// and, when not empty, `resources` (a UTF-8 .rc script, compiled with
// windres). `output` ending in ".dll" makes a library. Returns the built
// file's path; empty when the tool chain is not installed. A build that
// fails is a test failure.
QString CrossBuild(const TempDir& dir, const QString& prefix, const QByteArray& source,
                   const QByteArray& resources, const QString& output);
