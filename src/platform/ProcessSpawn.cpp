// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProcessSpawn.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/close_range.h>
#include <unistd.h>

extern char** environ;

ExecArgs::ExecArgs(QByteArray program, const std::vector<QByteArray>& args)
    : m_program(std::move(program)), m_args(args)
{
    m_argv.reserve(m_args.size() + 1);
    for (QByteArray& arg : m_args)
        m_argv.push_back(arg.data());
    m_argv.push_back(nullptr);
}

void ExecArgs::setEnvironment(const QList<QPair<QByteArray, QByteArray>>& overrides)
{
    m_env.clear();
    for (char** entry = environ; entry && *entry; ++entry) {
        const QByteArray line(*entry);
        const QByteArray name = line.left(line.indexOf('='));
        bool replaced = false;
        for (const auto& [key, value] : overrides)
            replaced = replaced || key == name;
        if (!replaced)
            m_env.push_back(line);
    }
    for (const auto& [key, value] : overrides)
        m_env.push_back(key + '=' + value);
    m_envp.clear();
    for (QByteArray& line : m_env)
        m_envp.push_back(line.data());
    m_envp.push_back(nullptr);
}

void ExecOrReport(const ExecArgs& exec, int reportFd)
{
    const int input = open("/dev/null", O_RDONLY);
    if (input > 0) {
        dup2(input, 0);
        close(input);
    }
    // Nothing of ours beyond the standard three reaches the program; the
    // report pipe closes itself on exec.
    if (close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        for (int fd = 3; fd < 65536; ++fd)
            fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    if (exec.envp())
        execve(exec.program().constData(), exec.argv(), exec.envp());
    else
        execv(exec.program().constData(), exec.argv());
    const int error = errno;
    [[maybe_unused]] const ssize_t written = write(reportFd, &error, sizeof error);
    _exit(127);
}

int ReadExecError(int reportFd)
{
    int error = 0;
    ssize_t got = 0;
    do {
        got = read(reportFd, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(reportFd);
    return got == ssize_t(sizeof error) ? error : 0;
}
