// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/HandlerRunner.h"

#include "core/AppGlobals.h"
#include "core/cuAppError.h"

void HandlerRunner::Run(QAnyStringView procedure, const std::function<void()>& body)
{
    try {
        body();
    } catch (...) {
        AppErrorRecord error = AppErrorRecord::fromException(std::current_exception());
        if (m_held)
            m_waiting.append({std::move(error), procedure.toString()});
        else
            AppErr().ErrMsg(error, m_module, procedure.toString());
    }
}

void HandlerRunner::Release()
{
    m_held = false;
    const QList<Failure> waiting = std::exchange(m_waiting, {});
    for (const Failure& failure : waiting)
        AppErr().ErrMsg(failure.error, m_module, failure.procedure);
}

void RunHandler(QAnyStringView module, QAnyStringView procedure, const std::function<void()>& body)
{
    HandlerRunner(module.toString()).Run(procedure, body);
}
