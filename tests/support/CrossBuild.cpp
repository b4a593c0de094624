// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CrossBuild.h"

#include "support/TempDir.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {
bool run(const QString& program, const QStringList& args, const QString& folder)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << ": " << p.readAllStandardError().toStdString();
        return false;
    }
    return true;
}
} // namespace

QString CrossBuild(const TempDir& dir, const QString& prefix, const QByteArray& source,
                   const QByteArray& resources, const QString& output)
{
    const QString windres = QStandardPaths::findExecutable(prefix + QStringLiteral("-windres"));
    const QString gcc = QStandardPaths::findExecutable(prefix + QStringLiteral("-gcc"));
    if (windres.isEmpty() || gcc.isEmpty())
        return {};
    const QString stem = output.left(output.lastIndexOf(QLatin1Char('.')));
    dir.writeFile(stem + QStringLiteral(".c"), source);
    QStringList link{stem + QStringLiteral(".c"), QStringLiteral("-o"), output};
    if (output.endsWith(QLatin1String(".dll")))
        link.prepend(QStringLiteral("-shared"));
    if (!resources.isEmpty()) {
        dir.writeFile(stem + QStringLiteral(".rc"), resources);
        if (!run(windres,
                 {QStringLiteral("-c"), QStringLiteral("65001"), stem + QStringLiteral(".rc"),
                  QStringLiteral("-O"), QStringLiteral("coff"), QStringLiteral("-o"),
                  stem + QStringLiteral(".res")},
                 dir.path()))
            return {};
        link.insert(1, stem + QStringLiteral(".res"));
    }
    if (!run(gcc, link, dir.path()))
        return {};
    return dir.filePath(output);
}
