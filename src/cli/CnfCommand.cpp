// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CnfCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cnf/CNFFile.h"
#include "cnf/CNFMessages.h"
#include "cnf/CNFSeal.h"
#include "core/AppErrorRecord.h"
#include "core/SafeFileWriter.h"
#include "core/UserFileRead.h"

const char* const kCnfCommandUsage =
    "cnf dump DATEI [--password KENNWORT] [--unicode] [--keep-comments]\n"
    "  cnf seal EIN AUS|- --password KENNWORT   (versiegelt die Datei unverändert)\n"
    "  cnf open EIN AUS|- --password KENNWORT   (gibt die ursprüngliche Datei zurück)";

namespace {
const QString kSource = QStringLiteral("cnf");

struct Options {
    QStringList files;
    QString password;
    bool unicode = false;
    bool keepComments = false;
};

bool parseOptions(const QStringList& args, Options& options)
{
    CliOptions read;
    if (!read.parse(args, {{"--password", true}, {"--unicode", false}, {"--keep-comments", false}}))
        return false;
    options.files = read.operands();
    options.password = read.value("--password");
    options.unicode = read.has("--unicode");
    options.keepComments = read.has("--keep-comments");
    return true;
}

int usageError()
{
    cliError(QStringLiteral("Aufruf: tolvane-cli ") + QString::fromUtf8(kCnfCommandUsage));
    return 2;
}

QByteArray readInput(const QString& path)
{
    return ReadUserFile(path, CNFFile::MaxFileSize, kSource);
}

// A line break inside a value shows as "\n"; the text is shared, not copied,
// when it has none (values can be hundreds of megabytes).
QString shown(const QString& value)
{
    if (!value.contains(QLatin1Char('\n')))
        return value;
    return QString(value).replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

int dump(const Options& options)
{
    CNFFile doc;
    doc.CrypPassword = options.password;
    doc.Unicode = options.unicode;
    doc.RemoveComments = !options.keepComments;
    doc.SetEventPump({});
    const CNFSections& sections = doc.FileRead(options.files.first());
    if (!doc.Header.isEmpty())
        cliPrint(doc.Header);
    for (const CNFSection& section : sections) {
        cliPrintParts({u"[", section.Name(), u"]"});
        for (const CNFKey& key : section.Keys())
            cliPrintParts({shown(key.Name()), u"=", shown(key.Value())});
    }
    return 0;
}

int seal(const Options& options)
{
    if (!CNFSeal::PasswordFits(options.password.toUtf8()))
        CNFMessages::Raise(CNFMessages::PasswordTooLong, kSource, QStringLiteral("seal"));
    const QByteArray plain = readInput(options.files.at(0));
    // Only a readable plain document is sealed: this refuses a file that is
    // sealed already, and anything that is no CNF document at all.
    CNFFile check;
    check.Filename = options.files.at(0);
    check.SetEventPump({});
    check.BufferRead(plain);
    SafeFileWriter::WriteFile(options.files.at(1), CNFSeal::Seal(plain, options.password.toUtf8()));
    return 0;
}

int openSealed(const Options& options)
{
    QByteArray plain;
    switch (CNFSeal::Open(readInput(options.files.at(0)), options.password.toUtf8(), plain)) {
    case CNFSeal::OpenResult::NotSealed:
        CNFMessages::Raise(CNFMessages::NotSealed, QStringLiteral("cnf"), QStringLiteral("open"));
    case CNFSeal::OpenResult::WrongPassword:
        CNFMessages::Raise(CNFMessages::ChecksumMismatch, QStringLiteral("cnf"),
                           QStringLiteral("open"));
    case CNFSeal::OpenResult::Opened:
        break;
    }
    SafeFileWriter::WriteFile(options.files.at(1), plain);
    return 0;
}
} // namespace

int runCnfCommand(const QStringList& args)
{
    if (args.isEmpty())
        return usageError();
    const QString action = args.first();
    Options options;
    if (!parseOptions(args.mid(1), options))
        return usageError();
    const bool isDump = action == QLatin1String("dump");
    const bool isSeal = action == QLatin1String("seal");
    const bool isOpen = action == QLatin1String("open");
    if (!(isDump || isSeal || isOpen) || options.files.size() != (isDump ? 1 : 2))
        return usageError();
    if (!isDump && options.password.isEmpty()) {
        cliError(QStringLiteral("Zum Versiegeln und Öffnen muss ein Kennwort angegeben werden."));
        return 2;
    }
    try {
        return isDump ? dump(options) : isSeal ? seal(options) : openSealed(options);
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
        return 1;
    }
}
