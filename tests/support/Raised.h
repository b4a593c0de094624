// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppErrorRecord.h"

#include <gtest/gtest.h>

#include <functional>

// The error record an action raised; a test failure when it raised none.
inline AppErrorRecord Raised(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppErrorRecord& e) {
        return e;
    }
    ADD_FAILURE() << "nothing was raised";
    return AppErrorRecord(0, {}, {});
}
