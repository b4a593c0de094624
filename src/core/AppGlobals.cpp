// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppGlobals.h"

#include "core/cuAppError.h"

namespace {
std::unique_ptr<cuAppError> g_appErr;
int g_exitCode = 0;
} // namespace

cuAppError& AppErr()
{
    if (!g_appErr)
        g_appErr = std::make_unique<cuAppError>();
    return *g_appErr;
}

void SetAppErr(std::unique_ptr<cuAppError> service)
{
    g_appErr = std::move(service);
}

int AppExitCode()
{
    return g_exitCode;
}

void SetAppExitCode(int code)
{
    g_exitCode = code;
}
