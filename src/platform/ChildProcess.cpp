// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ChildProcess.h"

#include "platform/FileNameCodec.h"
#include "platform/ProcessSpawn.h"

#include <QElapsedTimer>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace {
// How often the cancel flag is asked, and how long a program may take to
// leave after SIGTERM before SIGKILL ends it.
constexpr int kPollMs = 20;
constexpr int kGraceMs = 2000;

using Status = ChildProcess::Result::Status;

void closeFd(int& fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

// Whatever the pipe holds now, without waiting for more; true at its end.
bool drain(int fd, QByteArray& into)
{
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) {
            into.append(buffer, got);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        return got == 0;
    }
}

bool reaped(pid_t child, int& status, bool wait)
{
    for (;;) {
        const pid_t done = waitpid(child, &status, wait ? 0 : WNOHANG);
        if (done < 0 && errno == EINTR)
            continue;
        return done == child;
    }
}

// Ends the program's whole group: politely first, then for sure.
void endGroup(pid_t child, int& status)
{
    kill(-child, SIGTERM);
    QElapsedTimer grace;
    grace.start();
    while (grace.elapsed() < kGraceMs) {
        if (reaped(child, status, false)) {
            kill(-child, SIGKILL); // what it started goes too
            return;
        }
        usleep(kPollMs * 1000);
    }
    kill(-child, SIGKILL);
    reaped(child, status, true);
}

ChildProcess::Result finished(int status)
{
    ChildProcess::Result result;
    if (WIFEXITED(status)) {
        result.status = Status::Exited;
        result.exitCode = WEXITSTATUS(status);
    } else {
        result.status = Status::Crashed;
        result.exitCode = WTERMSIG(status);
    }
    return result;
}
} // namespace

QString ChildProcess::findProgram(const QString& name)
{
    return QStandardPaths::findExecutable(name);
}

ChildProcess::Result ChildProcess::run(const Request& request)
{
    Result result;
    std::vector<QByteArray> args{EncodeFileName(request.program)};
    for (const QString& arg : request.arguments)
        args.push_back(EncodeFileName(arg));
    ExecArgs exec(EncodeFileName(request.program), args);
    if (!request.environment.isEmpty())
        exec.setEnvironment(request.environment);

    int report[2];
    int output[2] = {-1, -1};
    if (pipe2(report, O_CLOEXEC) != 0 ||
        (request.captureOutput && pipe2(output, O_CLOEXEC | O_NONBLOCK) != 0)) {
        result.error = errno;
        return result;
    }
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(request.captureOutput ? output[1] : quiet, 1);
        dup2(quiet, 2);
        ExecOrReport(exec, report[1]);
    }
    const int forkError = errno;
    closeFd(report[1]);
    closeFd(output[1]);
    if (child < 0) {
        closeFd(report[0]);
        closeFd(output[0]);
        result.error = forkError;
        return result;
    }
    setpgid(child, child); // either side may run first
    if (const int error = ReadExecError(report[0])) {
        int status = 0;
        reaped(child, status, true);
        closeFd(output[0]);
        result.error = error;
        return result;
    }

    QElapsedTimer clock;
    clock.start();
    QByteArray captured;
    int status = 0;
    for (;;) {
        if (output[0] >= 0) {
            struct pollfd wait {
                output[0], POLLIN, 0
            };
            if (poll(&wait, 1, kPollMs) > 0 && drain(output[0], captured))
                closeFd(output[0]);
        } else {
            usleep(kPollMs * 1000);
        }
        if (reaped(child, status, false)) {
            result = finished(status);
            break;
        }
        const bool cancel = request.cancelled && request.cancelled();
        if (cancel || (request.timeoutMs >= 0 && clock.elapsed() > request.timeoutMs)) {
            endGroup(child, status);
            result.status = cancel ? Status::Cancelled : Status::TimedOut;
            break;
        }
    }
    // What it wrote before it ended; a helper it left behind may hold the
    // pipe open, so nothing more is waited for.
    if (output[0] >= 0)
        drain(output[0], captured);
    closeFd(output[0]);
    result.output = captured;
    return result;
}
