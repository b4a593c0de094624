// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <vector>

// What the launchers share for starting a program without a shell: the
// argument and environment vectors, built before fork() (a child may only
// make async-signal-safe calls), and the report of an exec that failed.

// The exact bytes of each argument (args[0] included) and, when given, the
// environment: the process's own with `overrides` set on top.
class ExecArgs {
public:
    ExecArgs(QByteArray program, const std::vector<QByteArray>& args);
    void setEnvironment(const QList<QPair<QByteArray, QByteArray>>& overrides);

    const QByteArray& program() const { return m_program; }
    char* const* argv() const { return m_argv.data(); }
    // Null when the process's own environment is passed on unchanged.
    char* const* envp() const { return m_env.empty() ? nullptr : m_envp.data(); }

private:
    QByteArray m_program;
    std::vector<QByteArray> m_args;
    std::vector<char*> m_argv;
    std::vector<QByteArray> m_env;
    std::vector<char*> m_envp;
};

// In the child after fork(): stdin from /dev/null, then exec; when the exec
// fails, its errno is written to `reportFd` (a close-on-exec pipe) and the
// child ends with 127.
[[noreturn]] void ExecOrReport(const ExecArgs& exec, int reportFd);
// In the parent, once the child has exec'd or ended: 0 when the exec
// succeeded, else its errno. Closes `reportFd`.
int ReadExecError(int reportFd);
