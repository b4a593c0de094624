// SPDX-License-Identifier: GPL-3.0-or-later
#include "KillScenario.h"

#include "RenameTesting.h"

#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <chrono>
#include <thread>

namespace {
QStringList RuleFor(bool cycles)
{
    if (cycles)
        return {"--mode", "parts", "--parts",  "after", "--pos",    "1",
                "--text", "",      "--number", "1",     "--places", "0"};
    return {"--mode", "replace", "--find", "a", "--replace", "b"};
}

QByteArray Cli(const QString& cli, const QStringList& args, int* code = nullptr)
{
    QProcess p;
    p.start(cli, args);
    p.waitForFinished(600000);
    if (code)
        *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

// Every content once, under its old or new name, and nothing else.
void Verify(const QString& dir, const QHash<QByteArray, QByteArray>& newNameOf, const QString& when,
            QStringList& problems)
{
    const QMap<QByteArray, QByteArray> now = FolderContents(dir);
    if (now.size() != newNameOf.size())
        problems
            << when +
                   QStringLiteral(": %1 files instead of %2").arg(now.size()).arg(newNameOf.size());
    for (auto it = newNameOf.cbegin(); it != newNameOf.cend(); ++it) {
        const QByteArray& content = it.key(); // each file holds its first name
        const int copies = int(std::count(now.cbegin(), now.cend(), content));
        const bool placed = now.value(it.key()) == content || now.value(it.value()) == content;
        if (copies != 1 || !placed)
            problems << when +
                            QStringLiteral(": %1 found %2 times").arg(QString(content)).arg(copies);
    }
}
} // namespace

QStringList KillScenario::Run() const
{
    QTemporaryDir temp;
    const QString dir = temp.path() + QLatin1Char('/');
    QList<QByteArray> names;
    for (int i = 1; i <= files; ++i)
        names << "a" + QByteArray::number(i);
    WriteNamedFiles(dir, names);
    const QMap<QByteArray, QByteArray> start = FolderContents(dir);
    // One whole run tells how late a kill may come.
    QElapsedTimer clock;
    clock.start();
    Cli(cli, QStringList{"rename", dir, "--run"} + RuleFor(true));
    const qint64 span = qMax<qint64>(clock.elapsed(), 1);
    Cli(cli, {"rename", "--undo", "--run"});
    QStringList problems;
    for (int k = 0; k < kills && problems.size() < 10; ++k) {
        const QStringList rule = QStringList{"rename", dir} + RuleFor(k % 2 == 1);
        QHash<QByteArray, QByteArray> newNameOf; // old -> new
        for (const QByteArray& line : Cli(cli, rule).split('\n')) {
            const QList<QByteArray> f = line.split('\t');
            if (f.size() == 3)
                newNameOf.insert(f[0], f[1]);
        }
        QProcess run;
        run.start(cli, rule + QStringList{"--run"});
        run.waitForStarted();
        const qint64 delay = QRandomGenerator::global()->bounded(span);
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        run.kill();
        run.waitForFinished();
        const QString when = QStringLiteral("round %1, killed after %2 ms").arg(k).arg(delay);
        Cli(cli, rule); // finishes what the kill left
        Verify(dir, newNameOf, when, problems);
        // Killed before its journal was written, the run moved nothing, and
        // the last run to undo is still the one before it.
        if (FolderContents(dir) == start)
            continue;
        int code = 0;
        Cli(cli, {"rename", "--undo", "--run"}, &code);
        if (FolderContents(dir) != start || code != 0)
            problems << when +
                            QStringLiteral(": --undo --run left other names (exit %1)").arg(code);
    }
    return problems;
}
