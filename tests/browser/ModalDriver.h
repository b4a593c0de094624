// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `action` on the next modal window of type T as soon as it is shown, so
// a test can drive a dialog that its code under test runs with exec().
template <typename T> void WhenModal(std::function<void(T*)> action, int attemptsLeft = 200)
{
    QTimer::singleShot(10, [action, attemptsLeft] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            action(dialog);
            return;
        }
        if (attemptsLeft > 0)
            WhenModal<T>(action, attemptsLeft - 1);
    });
}
