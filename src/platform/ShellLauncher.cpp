// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ShellLauncher.h"

#include "platform/FileNameCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace {
QString g_opener;

QString absolutePath(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

bool statOf(const QString& path, struct stat& st)
{
    return ::stat(EncodeFileName(path).constData(), &st) == 0;
}

// Starts `program` with `args` (args[0] included) as a process of its own
// session that nobody waits for. QProcess would pass every argument through
// the locale's encoding, which loses the bytes of a file name that is not
// UTF-8; here each argument reaches the program with its exact bytes. Only
// async-signal-safe calls run between fork and exec. 0 or the exec errno.
int spawnDetached(const QByteArray& program, const std::vector<QByteArray>& args,
                  const QByteArray& folder)
{
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const QByteArray& arg : args)
        argv.push_back(const_cast<char*>(arg.constData()));
    argv.push_back(nullptr);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return errno;
    const pid_t child = fork();
    if (child < 0) {
        const int error = errno;
        close(report[0]);
        close(report[1]);
        return error;
    }
    if (child == 0) {
        close(report[0]);
        setsid();
        const pid_t grandchild = fork();
        if (grandchild != 0)
            _exit(grandchild < 0 ? 1 : 0);
        if (!folder.isEmpty() && chdir(folder.constData()) != 0) {
            // A working folder that has gone is no reason to fail: the program starts where we are.
        }
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
        execv(program.constData(), argv.data());
        const int error = errno;
        [[maybe_unused]] const ssize_t written = write(report[1], &error, sizeof error);
        _exit(127);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = 0;
    do {
        got = read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    return got == ssize_t(sizeof error) ? error : 0;
}

// A URL has a scheme of two letters or more; "c:" or a bare path has none.
bool isUrl(const QString& target)
{
    const QUrl url(target, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1 && !url.isLocalFile();
}
} // namespace

void ShellLauncher::setOpenerProgram(const QString& program)
{
    g_opener = program;
}

QString ShellLauncher::openerProgram()
{
    return g_opener.isEmpty() ? QStringLiteral("xdg-open") : g_opener;
}

int ShellLauncher::checkReadable(const QString& path)
{
    if (path.isEmpty())
        return ShellCode::FileNotFound;
    const QString absolute = absolutePath(path);
    struct stat st {};
    if (!statOf(absolute, st)) {
        struct stat folder {};
        const QString parent = absolute.left(absolute.lastIndexOf(QLatin1Char('/')) + 1);
        return statOf(parent, folder) && S_ISDIR(folder.st_mode) ? ShellCode::FileNotFound
                                                                 : ShellCode::PathNotFound;
    }
    if (::access(EncodeFileName(absolute).constData(), R_OK) != 0)
        return ShellCode::AccessDenied;
    return 0;
}

int ShellLauncher::startProgram(const QStringList& command, const QString& workingFolder,
                                int* systemError)
{
    if (command.isEmpty() || command.first().isEmpty())
        return ShellCode::NoAssociation;
    QString program = QStandardPaths::findExecutable(command.first());
    if (program.isEmpty()) {
        const QFileInfo direct(command.first());
        if (!(direct.isAbsolute() && direct.isFile() && direct.isExecutable()))
            return ShellCode::NoAssociation;
        program = command.first();
    }
    std::vector<QByteArray> args;
    args.reserve(size_t(command.size()));
    for (const QString& arg : command)
        args.push_back(EncodeFileName(arg));
    struct stat st {};
    const bool folder =
        !workingFolder.isEmpty() && statOf(workingFolder, st) && S_ISDIR(st.st_mode);
    const int error = spawnDetached(EncodeFileName(program), args,
                                    folder ? EncodeFileName(workingFolder) : QByteArray());
    if (systemError)
        *systemError = error;
    return error == 0 ? ShellCode::Started : ShellCode::NoAssociation;
}

int ShellLauncher::openFile(const QString& path, const QString& workingFolder)
{
    if (const int problem = checkReadable(path))
        return problem;
    // The absolute path never begins with "-", so the opener cannot read a
    // file name as one of its options.
    return startProgram({openerProgram(), absolutePath(path)}, workingFolder);
}

int ShellLauncher::openTarget(const QString& target)
{
    if (isUrl(target))
        return startProgram({openerProgram(), target});
    return openFile(target);
}
