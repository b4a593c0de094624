// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppErrorRecord.h"

#include <QAnyStringView>
#include <QList>
#include <QString>

#include <functional>

// Runs a window's event handlers: whatever a handler raises is shown with
// the error service's ErrMsg, naming the window and the handler, and the
// window stays usable. While held (the window is being built and not on
// screen yet), failures are kept and shown when the runner is released, so
// no error box can stand between the user and the window.
class HandlerRunner {
public:
    explicit HandlerRunner(QString module) : m_module(std::move(module)) {}

    void Run(QAnyStringView procedure, const std::function<void()>& body);
    void Hold() { m_held = true; }
    // Shows what failed while held, in order.
    void Release();
    bool Held() const { return m_held; }

private:
    struct Failure {
        AppErrorRecord error;
        QString procedure;
    };
    QString m_module;
    QList<Failure> m_waiting;
    bool m_held = false;
};

// Runs one handler of a window that is always on screen when it runs.
void RunHandler(QAnyStringView module, QAnyStringView procedure, const std::function<void()>& body);
