// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MessageBoxService.h"

#include <QList>

// A message box presenter for tests: records every box and answers from a
// queue; with an empty queue it answers with the box's default button. It
// installs itself on construction and puts the previous presenter back when
// it goes out of scope, so no test ever blocks on a real box.
class ScriptedMessageBox : public MessageBoxPresenter {
public:
    ScriptedMessageBox();
    ~ScriptedMessageBox() override;

    void queueAnswer(int result) { m_answers.append(result); }
    const QList<MessageBoxRequest>& shown() const { return m_shown; }
    // The text of the last box with "\r\n" as "\n"; empty when none was shown.
    QString lastText() const;
    int count() const { return int(m_shown.size()); }
    void clear() { m_shown.clear(); }

    int present(const MessageBoxRequest& request) override;

private:
    MessageBoxPresenter* m_previous = nullptr;
    QList<int> m_answers;
    QList<MessageBoxRequest> m_shown;
};
