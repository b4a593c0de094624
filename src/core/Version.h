// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's version: the CMake project's, the one number shown by the
// about window, both programs' --version and the package.
QString ProgramVersion();
