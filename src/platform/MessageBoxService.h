// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MessageBoxStyle.h"

#include <QString>

// The one seam through which every message box of the program is shown.
// The window build installs a QMessageBox presenter at start-up; tests install
// a scripted one; without any presenter (the command-line companion) the text
// goes to standard error and the box's default button is the answer.

struct MessageBoxRequest {
    QString text;
    QString title;
    int style = 0;
    QString helpFile;
    int helpContext = -1;
};

class MessageBoxPresenter {
public:
    virtual ~MessageBoxPresenter() = default;
    // Shows a modal box and returns the button pressed (MsgResult values).
    virtual int present(const MessageBoxRequest& request) = 0;
    // The screen-wide mouse pointer: the error service sets the arrow before
    // every box so a wait cursor never hangs over a message.
    virtual void setArrowCursor() {}
    virtual void pushArrowCursor() {}
    virtual void popCursor() {}
};

class MessageBoxService {
public:
    // Installs a presenter and returns the one it replaces (may be null).
    static MessageBoxPresenter* setPresenter(MessageBoxPresenter* presenter);
    static MessageBoxPresenter* presenter();

    static int show(const MessageBoxRequest& request);
    static void setArrowCursor();
    static void pushArrowCursor();
    static void popCursor();

    // The answer a box gives when nobody can press a button: its default button.
    static int defaultAnswer(int style);
};
