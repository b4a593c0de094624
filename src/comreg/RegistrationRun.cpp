// SPDX-License-Identifier: GPL-3.0-or-later
#include "comreg/RegistrationRun.h"

#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxService.h"

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
constexpr int kAskFirst = MsgStyle::YesNo | MsgStyle::Exclamation | MsgStyle::DefaultButton2;

QString text(qint32 number, const QVariant& arg1 = {}, const QVariant& arg2 = {})
{
    return AppErr().MsgLoad(number, arg1, arg2);
}
} // namespace

RegistrationRun::RegistrationRun(QStringList paths, bool registering)
    : m_paths(std::move(paths)), m_registering(registering)
{
}

QString RegistrationRun::Verb() const
{
    return m_registering ? QStringLiteral("registriert") : QStringLiteral("entregistriert");
}

std::optional<RegistrationRun::Box> RegistrationRun::Question() const
{
    const qsizetype n = m_paths.size();
    if (m_registering && n > 1)
        return Box{text(Msg::RegisterManyQuestion, n), kAskFirst};
    if (!m_registering && n == 1)
        return Box{text(Msg::UnregisterOneQuestion, DisplayFileName(m_paths.first())), kAskFirst};
    if (!m_registering && n > 1)
        return Box{text(Msg::UnregisterManyQuestion, n), kAskFirst};
    return std::nullopt;
}

QString RegistrationRun::FailureText(const QString& path, const QString& reason) const
{
    QString failure = text(Msg::RegisterOneFailed, DisplayFileName(path), Verb());
    if (!reason.isEmpty())
        failure += kLineBreak + reason;
    return failure;
}

void RegistrationRun::Run(const RegisterOne& registerOne, const AskContinue& askContinue)
{
    for (const QString& path : std::as_const(m_paths)) {
        QString reason;
        if (registerOne(path, reason)) {
            ++m_succeeded;
            m_lastSucceeded = path;
            continue;
        }
        ++m_failed;
        m_lastReason = reason;
        if (m_paths.size() > 1 &&
            !askContinue(FailureText(path, reason) + kLineBreak + text(Msg::ContinueQuestion)))
            return;
    }
}

RegistrationRun::Box RegistrationRun::Report() const
{
    const qsizetype n = m_paths.size();
    if (m_succeeded == 0 && n == 1)
        return {FailureText(m_paths.first(), m_lastReason), MsgStyle::Critical};
    if (m_succeeded == 0)
        return {text(Msg::RegisterNoneDone, Verb()), MsgStyle::Critical};
    if (n == 1)
        return {text(Msg::RegisterOneDone, DisplayFileName(m_paths.first()), Verb()),
                MsgStyle::Information};
    if (m_failed == 0)
        return {text(Msg::RegisterAllDone, m_succeeded, Verb()), MsgStyle::Information};
    return {text(Msg::RegisterCountDone, m_succeeded) + text(Msg::RegisterCountFailed, m_failed) +
                QLatin1Char(' ') + Verb(),
            MsgStyle::Exclamation};
}
