// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// Registers and unregisters a self-registering COM server through Wine's
// regsvr32: Linux has no COM of its own. Wine ("wine", else "wine64") is
// looked up on PATH at each run and started without a shell, with the
// user's WINEPREFIX, Mono and Gecko installers kept quiet
// (WINEDLLOVERRIDES=mscoree,mshtml=) and no debug output (WINEDEBUG=-all).
// The file's Windows path comes from "wine winepath -w".
class WineRegistrar {
public:
    struct Outcome {
        bool ok = false;
        QString reason; // a German sentence when it failed
    };

    // How long one Wine call may take, and how long while Wine still has to
    // make its prefix (the first run for a user takes a while).
    int timeoutMs = 120000;
    int newPrefixTimeoutMs = 600000;

    // `is64Bit`: the file is a PE32+ image (a 32-bit one needs 32-bit Wine).
    Outcome Run(const QString& path, bool registering, bool is64Bit,
                const std::function<bool()>& cancelled = {}) const;

    // The Wine program on PATH now; empty without Wine.
    static QString FindWine();
    // The entry point regsvr32 calls.
    static QString EntryPoint(bool registering);
};
