// SPDX-License-Identifier: GPL-3.0-or-later
#include "comreg/WineRegistrar.h"

#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/ChildProcess.h"

#include <QDir>
#include <QFileInfo>

namespace {
using Status = ChildProcess::Result::Status;

// regsvr32's exit codes.
constexpr int kBadCall = 1;
constexpr int kCannotLoad = 3;
constexpr int kNoEntryPoint = 4;
constexpr int kEntryPointFailed = 5;

QString text(qint32 number, const QVariant& arg = {})
{
    return AppErr().MsgLoad(number, arg);
}

// Wine makes its prefix on the first run; until then every call is slow.
bool prefixExists()
{
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = QDir::homePath() + QStringLiteral("/.wine");
    return QFileInfo::exists(prefix + QStringLiteral("/system.reg"));
}

// Why a call that did not end with 0 failed, for what is not regsvr32's own.
std::optional<QString> failureOf(const ChildProcess::Result& result)
{
    switch (result.status) {
    case Status::Exited:
        return std::nullopt;
    case Status::TimedOut:
        return text(Msg::WineNoAnswer);
    case Status::Cancelled:
        return text(Msg::Cancelled);
    case Status::NotStarted:
        return text(Msg::WineMissing);
    case Status::Crashed:
        break;
    }
    // As a shell reports a program ended by a signal.
    return text(Msg::WineExitCode, 128 + result.exitCode);
}
} // namespace

QString WineRegistrar::FindWine()
{
    for (const char* name : {"wine", "wine64"}) {
        const QString found = ChildProcess::findProgram(QLatin1String(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString WineRegistrar::EntryPoint(bool registering)
{
    return registering ? QStringLiteral("DllRegisterServer")
                       : QStringLiteral("DllUnregisterServer");
}

WineRegistrar::Outcome WineRegistrar::Run(const QString& path, bool registering, bool is64Bit,
                                          const std::function<bool()>& cancelled) const
{
    const QString wine = FindWine();
    if (wine.isEmpty())
        return {false, text(Msg::WineMissing)};
    ChildProcess::Request call;
    call.program = wine;
    call.environment = {{"WINEDLLOVERRIDES", "mscoree,mshtml="}, {"WINEDEBUG", "-all"}};
    call.timeoutMs = prefixExists() ? timeoutMs : newPrefixTimeoutMs;
    call.cancelled = cancelled;
    call.captureOutput = true;
    call.arguments = {QStringLiteral("winepath"), QStringLiteral("-w"),
                      QFileInfo(path).absoluteFilePath()};
    const ChildProcess::Result named = ChildProcess::run(call);
    if (const auto failure = failureOf(named))
        return {false, *failure};
    const QString windowsPath =
        QString::fromUtf8(named.output).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (named.exitCode != 0 || windowsPath.isEmpty())
        return {false, text(Msg::WineExitCode, named.exitCode)};

    call.captureOutput = false;
    call.timeoutMs = prefixExists() ? timeoutMs : newPrefixTimeoutMs;
    call.arguments = {QStringLiteral("regsvr32"), QStringLiteral("/s")};
    if (!registering)
        call.arguments << QStringLiteral("/u");
    call.arguments << windowsPath;
    const ChildProcess::Result done = ChildProcess::run(call);
    if (const auto failure = failureOf(done))
        return {false, *failure};
    switch (done.exitCode) {
    case 0:
        return {true, {}};
    case kBadCall:
        return {false, text(Msg::RegsvrBadCall)};
    case kCannotLoad:
        return {false,
                is64Bit ? text(Msg::WineCannotLoad)
                        : text(Msg::WineCannotLoad) + QLatin1Char(' ') + text(Msg::Needs32BitWine)};
    case kNoEntryPoint:
        return {false, text(Msg::ExportMissing, EntryPoint(registering))};
    case kEntryPointFailed:
        return {false, text(Msg::EntryPointFailed, EntryPoint(registering))};
    default:
        return {false, text(Msg::WineExitCode, done.exitCode)};
    }
}
