// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/FileDialog.h"
#include "core/Registry.h"

#include <memory>

// The service object: hands out a fresh settings accessor or file dialog on
// every request. It keeps no state of its own; start-up creates the one
// instance and shut-down releases it.
class pQXLibApp {
public:
    Registry GetRegistry() const { return {}; }
    std::unique_ptr<FileDialog> GetFileDialog() const { return std::make_unique<FileDialog>(); }
};

// Null before start-up created it and after shut-down.
pQXLibApp* QXLibApp();
void SetQXLibApp(std::unique_ptr<pQXLibApp> service);
