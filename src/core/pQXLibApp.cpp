// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pQXLibApp.h"

namespace {
std::unique_ptr<pQXLibApp> g_service;
}

pQXLibApp* QXLibApp()
{
    return g_service.get();
}

void SetQXLibApp(std::unique_ptr<pQXLibApp> service)
{
    g_service = std::move(service);
}
