// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBoxService.h"

#include <cstdio>

namespace {
MessageBoxPresenter* g_presenter = nullptr;
}

MessageBoxPresenter* MessageBoxService::setPresenter(MessageBoxPresenter* presenter)
{
    MessageBoxPresenter* previous = g_presenter;
    g_presenter = presenter;
    return previous;
}

MessageBoxPresenter* MessageBoxService::presenter()
{
    return g_presenter;
}

int MessageBoxService::defaultAnswer(int style)
{
    const int buttons = style & 7;
    const bool second = (style & MsgStyle::DefaultButton2) != 0;
    switch (buttons) {
    case MsgStyle::OkCancel:
        return second ? MsgResult::Cancel : MsgResult::Ok;
    case MsgStyle::YesNoCancel:
    case MsgStyle::YesNo:
        return second ? MsgResult::No : MsgResult::Yes;
    default:
        return MsgResult::Ok;
    }
}

int MessageBoxService::show(const MessageBoxRequest& request)
{
    if (g_presenter)
        return g_presenter->present(request);
    std::fprintf(
        stderr, "%s: %s\n", qUtf8Printable(request.title),
        qUtf8Printable(QString(request.text).replace(QLatin1String("\r\n"), QLatin1String("\n"))));
    return defaultAnswer(request.style);
}

void MessageBoxService::setArrowCursor()
{
    if (g_presenter)
        g_presenter->setArrowCursor();
}

void MessageBoxService::pushArrowCursor()
{
    if (g_presenter)
        g_presenter->pushArrowCursor();
}

void MessageBoxService::popCursor()
{
    if (g_presenter)
        g_presenter->popCursor();
}
