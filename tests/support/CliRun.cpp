// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CliRun.h"

#include <QCoreApplication>
#include <QProcess>

CliResult runCli(const QStringList& args)
{
    return runCli(args, {});
}

CliResult runCli(const QStringList& args, const std::function<void()>& childSetup)
{
    QProcess cli;
    if (childSetup)
        cli.setChildProcessModifier(childSetup);
    cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tolvane-cli"), args);
    CliResult result;
    if (!cli.waitForFinished(60000)) {
        cli.kill();
        cli.waitForFinished();
        result.err = QStringLiteral("tolvane-cli did not finish: ") + cli.errorString();
        return result;
    }
    if (cli.exitStatus() == QProcess::NormalExit)
        result.code = cli.exitCode();
    result.bytes = cli.readAllStandardOutput();
    result.out = QString::fromUtf8(result.bytes);
    result.err = QString::fromUtf8(cli.readAllStandardError());
    return result;
}
