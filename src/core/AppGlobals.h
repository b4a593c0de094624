// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class cuAppError;
class pOptions;

// The application-wide objects start-up creates. They are reached through
// these functions so that tests can put fresh ones in place.

// The error service. Created on first use when start-up has not set one (the
// command-line companion and tests rely on that).
cuAppError& AppErr();
void SetAppErr(std::unique_ptr<cuAppError> service); // null releases it

// The options; null before start-up created them and after shut-down.
pOptions* AppOptions();
void SetAppOptions(std::unique_ptr<pOptions> options); // null releases (and writes back)

// True when the program was started to run one tool alone (StartedByCmdLine),
// so that closing that tool's window ends the run.
bool RunsAlone();

// The code the process ends with: 0 unless start-up or a tool run alone
// failed and said so. Start-up resets it.
int AppExitCode();
void SetAppExitCode(int code);
