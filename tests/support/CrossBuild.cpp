// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CrossBuild.h"

#include "support/TempDir.h"
#include "support/TestText.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {
bool run(const QString& program, const QStringList& args, const QString& folder)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, args);
    const bool built = p.waitForFinished(120000) && p.exitCode() == 0;
    if (!built)
        ADD_FAILURE() << program.toStdString() << ": " << p.readAllStandardError().toStdString();
    return built;
}
} // namespace

QString CrossBuild(const TempDir& dir, const QString& prefix, const QByteArray& source,
                   const QByteArray& resources, const QString& output)
{
    const QString windres = QStandardPaths::findExecutable(prefix + u("-windres"));
    const QString gcc = QStandardPaths::findExecutable(prefix + u("-gcc"));
    if (windres.isEmpty() || gcc.isEmpty())
        return {};
    const QString stem = output.left(output.lastIndexOf(u'.'));
    dir.writeFile(stem + u(".c"), source);
    QStringList link{stem + u(".c"), u("-o"), output};
    if (output.endsWith(u(".dll")))
        link.prepend(u("-shared"));
    if (!resources.isEmpty()) {
        dir.writeFile(stem + u(".rc"), resources);
        const QStringList compile{u("-c"),   u("65001"), stem + u(".rc"), u("-O"),
                                  u("coff"), u("-o"),    stem + u(".res")};
        if (!run(windres, compile, dir.path()))
            return {};
        link.insert(1, stem + u(".res"));
    }
    return run(gcc, link, dir.path()) ? dir.filePath(output) : QString();
}
