// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedMessageBox.h"

ScriptedMessageBox::ScriptedMessageBox() : m_previous(MessageBoxService::setPresenter(this)) {}

ScriptedMessageBox::~ScriptedMessageBox()
{
    MessageBoxService::setPresenter(m_previous);
}

QString ScriptedMessageBox::lastText() const
{
    if (m_shown.isEmpty())
        return {};
    return QString(m_shown.last().text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

int ScriptedMessageBox::present(const MessageBoxRequest& request)
{
    m_shown.append(request);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return MessageBoxService::defaultAnswer(request.style);
}
