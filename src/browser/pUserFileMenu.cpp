// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/pUserFileMenu.h"

#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "core/Registry.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/ShellLauncher.h"
#include "platform/SystemError.h"

#include <QDir>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QLatin1String kPlaceholder("%1");

// 0 when `path` is a file the user may execute, else why not.
int ExecutableProblem(const QString& path)
{
    const QByteArray bytes = EncodeFileName(path);
    struct stat st {};
    if (::stat(bytes.constData(), &st) != 0)
        return errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (!S_ISREG(st.st_mode) || ::access(bytes.constData(), X_OK) != 0)
        return EACCES;
    return 0;
}

struct Program {
    QString path;
    int problem = 0;
};

// A name with a "/" is taken as it is (relative to the folder the program
// starts in); a bare name is looked up on PATH, as a shell would, but
// without expanding anything in it.
Program FindProgram(const QString& name, const QString& folder)
{
    if (name.isEmpty())
        return {QString(), ENOENT};
    if (name.contains(QLatin1Char('/'))) {
        const QString path = QDir::cleanPath(QDir(folder).absoluteFilePath(name));
        return {path, ExecutableProblem(path)};
    }
    Program found{QString(), ENOENT};
    const QList<QByteArray> dirs = qgetenv("PATH").split(':');
    for (const QByteArray& dir : dirs) {
        // An empty or relative entry would run a program from the file's own folder.
        if (!dir.startsWith('/'))
            continue;
        const QString path = DecodeFileName(dir) + QLatin1Char('/') + name;
        const int problem = ExecutableProblem(path);
        if (problem == 0)
            return {path, 0};
        if (problem != ENOENT && problem != ENOTDIR && found.problem == ENOENT)
            found = {path, problem};
    }
    return found;
}

QString ProblemText(const QString& name, int problem)
{
    if (problem == ENOENT && !name.contains(QLatin1Char('/')))
        return QStringLiteral("in keinem Ordner des Suchpfads (PATH) gefunden");
    if (problem == EACCES)
        return QStringLiteral("die Datei ist nicht ausführbar");
    return SystemErrorText(problem);
}

[[noreturn]] void RaiseStartFailure(const QString& name, int problem)
{
    const qint32 number =
        problem == ENOENT ? RuntimeError::FileNotFound : RuntimeError::PermissionDenied;
    throw AppErrorRecord(number, QStringLiteral("pUserFileMenu/Run"),
                         AppErr().MsgLoad(Msg::ProgramNotStarted, DisplayFileName(name),
                                          ProblemText(name, problem)));
}

QString WithoutAccessKeys(const QString& caption)
{
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        plain.append(caption.at(i));
    }
    return plain;
}
} // namespace

void pUserFileMenu::Init()
{
    m_entries.clear();
    const Registry reg;
    const QString key = AppKeyPath(akUserFileMenu);
    QStringList names;
    reg.RegArrayKeys(HKEY_CURRENT_USER, key, names);
    for (const QString& name : names) {
        const QString path = key + QLatin1Char('\\') + name;
        UserMenuEntry entry{
            name, reg.RegGetSettingString(HKEY_CURRENT_USER, path, QStringLiteral("CmdLine")),
            reg.RegGetSettingString(HKEY_CURRENT_USER, path, QStringLiteral("Mask"))};
        if (!entry.cmdLine.isEmpty())
            m_entries.append(entry);
    }
}

const UserMenuEntry* pUserFileMenu::Find(const QString& caption) const
{
    for (const UserMenuEntry& entry : m_entries) {
        if (entry.caption.compare(caption, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    for (const UserMenuEntry& entry : m_entries) {
        if (WithoutAccessKeys(entry.caption).compare(caption, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

bool pUserFileMenu::Applies(const UserMenuEntry& entry, const QString& fileName)
{
    if (entry.mask.isEmpty())
        return true;
    const QString name = fileName.mid(fileName.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QStringView extension = dot < 0 ? QStringView() : QStringView(name).mid(dot + 1);
    const QStringList wanted = entry.mask.split(QLatin1Char(';'));
    for (const QString& one : wanted) {
        if (one.trimmed().compare(extension, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool pUserFileMenu::HasPlaceholder(const QString& cmdLine)
{
    return cmdLine.contains(kPlaceholder);
}

QStringList pUserFileMenu::SplitArguments(const QString& cmdLine)
{
    QStringList arguments;
    QString current;
    bool inArgument = false; // an empty quoted part makes an argument too
    bool quoted = false;
    for (const QChar c : cmdLine) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
        } else {
            current.append(c);
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.append(current);
    return arguments;
}

QStringList pUserFileMenu::Arguments(const QString& cmdLine, const QString& path)
{
    QStringList arguments = SplitArguments(cmdLine);
    for (QString& argument : arguments)
        argument.replace(kPlaceholder, path);
    return arguments;
}

bool pUserFileMenu::Run(const UserMenuEntry& entry, const QString& path)
{
    if (!HasPlaceholder(entry.cmdLine))
        return false;
    const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
    QStringList arguments = Arguments(entry.cmdLine, path);
    const QString name = arguments.isEmpty() ? QString() : arguments.first();
    const Program program = FindProgram(name, folder);
    if (program.problem != 0)
        RaiseStartFailure(program.path.isEmpty() ? name : program.path, program.problem);
    // The program as found, so that a later change of PATH cannot swap it.
    arguments.first() = program.path;
    int error = 0;
    if (ShellLauncher::startProgram(arguments, folder, &error) <= 32)
        RaiseStartFailure(program.path, error != 0 ? error : EACCES);
    return true;
}
