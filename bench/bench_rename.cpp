// SPDX-License-Identifier: GPL-3.0-or-later
// Batch rename as whole tolvane-cli processes:
//   - the check of 100,000 files IMG_000000.jpg ... (replace IMG_ by Foto_),
//     best of three, beside Debian's `rename -n` fed the same names by find
//     when it is installed: at most its time
//   - `rename --run` over 10,000 files killed with SIGKILL at 20 random
//     moments (every other round with cycles): after each, every file once
//     under its old or new name, and undo restores all
#include "rename/KillScenario.h" // tests/rename

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
double BestOfThree(const QString& program, const QStringList& args)
{
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        p.start(program, args);
        p.waitForFinished(-1);
        best = std::min(best, double(clock.nsecsElapsed()) / 1e9);
    }
    return best;
}

void CheckBenchmark(const QString& cli)
{
    QTemporaryDir temp;
    const QString dir = temp.path();
    for (int i = 0; i < 100000; ++i) {
        const QByteArray name =
            (dir + QStringLiteral("/IMG_%1.jpg").arg(i, 6, 10, QLatin1Char('0'))).toUtf8();
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    const double ours = BestOfThree(cli, {"rename", dir, "--mask", "*.jpg", "--mode", "replace",
                                          "--find", "IMG_", "--replace", "Foto_"});
    std::printf("%-52s %7.3f s\n", "check of 100,000 files (tolvane-cli rename)", ours);
    if (QStandardPaths::findExecutable(QStringLiteral("rename")).isEmpty()) {
        std::printf("%-52s (rename not installed)\n", "peer: find | rename -n");
        return;
    }
    const QString peer = QStringLiteral("find '%1' -maxdepth 1 -type f -iname '*.jpg' -printf "
                                        "'%f\\n' | (cd '%1' && rename -n 's/IMG_/Foto_/i')")
                             .arg(dir);
    const double theirs = BestOfThree(QStringLiteral("sh"), {"-c", peer});
    std::printf("%-52s %7.3f s  ratio %.2f (target <= 1.0)\n", "peer: find | rename -n", theirs,
                ours / theirs);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/tolvane-cli");
    // The journal of these runs stays out of the user's state folder.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    CheckBenchmark(cli);
    KillScenario scenario;
    scenario.files = 10000;
    scenario.kills = 20;
    scenario.cli = cli;
    QElapsedTimer clock;
    clock.start();
    const QStringList problems = scenario.Run();
    std::printf(
        "%-52s %7.1f s  %s\n", "10,000 files, 20 kills, finish and undo",
        double(clock.elapsed()) / 1000.0,
        problems.isEmpty()
            ? "every file once, all names back"
            : qPrintable(QStringLiteral("%1 problems: ").arg(problems.size()) + problems.first()));
    return problems.isEmpty() ? 0 : 1;
}
