// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MessageBoxService.h"

#include <QByteArray>
#include <QTemporaryDir>

// For a benchmark that times windows: made before the QApplication, it puts
// them offscreen, gives them a settings database of their own and answers
// every message box with its default button at once, without a word.
class QuietWindows : public MessageBoxPresenter {
public:
    QuietWindows()
    {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        qputenv("TOLVANE_REGISTRY", (m_settings.path() + QStringLiteral("/registry.db")).toUtf8());
        MessageBoxService::setPresenter(this);
    }
    ~QuietWindows() override { MessageBoxService::setPresenter(nullptr); }
    QuietWindows(const QuietWindows&) = delete;
    QuietWindows& operator=(const QuietWindows&) = delete;

    int present(const MessageBoxRequest& request) override
    {
        return MessageBoxService::defaultAnswer(request.style);
    }

private:
    QTemporaryDir m_settings;
};
