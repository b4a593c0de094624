// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MessageBoxService.h"

#include <functional>

// Shows message boxes with QMessageBox: the buttons, icon, default button
// and Help button of the style value, answering with the style's results.
class QtMessageBoxPresenter : public MessageBoxPresenter {
public:
    // Called when the user presses Help: help file and context of the box.
    using HelpHandler = std::function<void(const QString& helpFile, int helpContext)>;
    void setHelpHandler(HelpHandler handler) { m_help = std::move(handler); }

    int present(const MessageBoxRequest& request) override;
    void setArrowCursor() override;
    void pushArrowCursor() override;
    void popCursor() override;

private:
    HelpHandler m_help;
};
