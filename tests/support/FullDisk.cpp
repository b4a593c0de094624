// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FullDisk.h"

#include <QFile>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

FullDisk::FullDisk()
{
    m_mounted = ::mount("tolvane-test", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                        "size=256k,mode=0700") == 0;
}

FullDisk::~FullDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void FullDisk::fill(qint64 leave) const
{
    if (!m_mounted)
        return;
    const QByteArray name = QFile::encodeName(path() + QStringLiteral(".filler"));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    // The last part of a block.
    while (::write(fd, "f", 1) > 0) {
    }
    if (leave > 0) {
        struct stat st {};
        ::fstat(fd, &st);
        (void)::ftruncate(fd, std::max<off_t>(0, st.st_size - leave));
    }
    ::close(fd);
}

void FullDisk::limitChild(qint64 allowed)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{rlim_t(allowed), rlim_t(allowed)};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

std::function<void()> FullDisk::childSetup() const
{
    if (m_mounted)
        return [] {};
    return [] { limitChild(); };
}

int RunInChild(const std::function<void()>& setup, const std::function<int()>& action)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        setup();
        int code = 99;
        try {
            code = action();
        } catch (...) {
            code = 98;
        }
        ::_exit(code);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
