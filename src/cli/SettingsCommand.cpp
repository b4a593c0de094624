// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SettingsCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/RegFileReader.h"
#include "core/RegFileTransfer.h"
#include "core/RegFileWriter.h"
#include "core/RegKeyPath.h"
#include "core/SafeFileWriter.h"
#include "core/UserFileRead.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/SettingsDatabase.h"

const char* const kSettingsCommandUsage =
    "settings export [--regedit4] [SCHLÜSSEL] [DATEI|-] | settings import DATEI";

namespace {
// Far beyond any settings export; keeps a wrong file from filling the memory.
constexpr quint64 kMaxImportBytes = 64 * 1024 * 1024;

int usageError()
{
    cliError(QStringLiteral("Aufruf: tolvane-cli settings export [--regedit4] [SCHLÜSSEL] "
                            "[DATEI|-]\n"
                            "       tolvane-cli settings import DATEI"));
    return 2;
}

// Opens the store; a notice from opening (a damaged file set aside) is passed on.
bool storeReady()
{
    for (const SettingsNotice& notice : TakeSettingsNotices())
        cliError(AppErr().MsgLoad(notice.message, notice.file, notice.detail));
    return SettingsDatabase::instance().isOpen();
}

int importFile(const QString& fileName)
{
    const QString shown = DisplayFileName(fileName);
    QByteArray bytes;
    try {
        bytes = ReadUserFile(fileName, kMaxImportBytes, QStringLiteral("settings import"));
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
        return 1;
    }
    // The file is checked before the store is opened: a wrong file never
    // waits for the store's lock, nor reports a store it did not touch.
    RegFileReader reader;
    if (!reader.read(bytes, [](const RegFileKey&) { return true; })) {
        const QString where = reader.errorLine() > 0
                                  ? QStringLiteral(", Zeile %1").arg(reader.errorLine())
                                  : QString();
        cliError(QStringLiteral("Fehler in '%1'%2: %3 Es wurde nichts importiert.")
                     .arg(shown, where, reader.errorText()));
        return 1;
    }
    if (!storeReady())
        return 1;
    QString error;
    RegFileTransfer::Counts counts;
    if (!RegFileTransfer::importFile(bytes, reader, error, &counts)) {
        cliError(QStringLiteral("Fehler beim Import von '%1': %2").arg(shown, error));
        return 1;
    }
    cliPrint(QStringLiteral("Importiert: %1 Schlüssel, %2 Werte aus '%3'.")
                 .arg(counts.keys)
                 .arg(counts.values)
                 .arg(shown));
    return 0;
}

int exportKeys(const QStringList& args)
{
    CliOptions options;
    if (!options.parse(args, {{"--regedit4", false}}))
        return usageError();
    const RegFileFormat format =
        options.has("--regedit4") ? RegFileFormat::Regedit4 : RegFileFormat::Version5;
    QStringList operands = options.operands();
    if (operands.size() > 2)
        return usageError();
    std::optional<RegKeyPath> key;
    if (!operands.isEmpty() && (operands.size() == 2 || RegKeyPath::parse(operands.first()))) {
        key = RegKeyPath::parse(operands.first());
        if (!key) {
            cliError(QStringLiteral("'%1' ist kein Schlüssel: Er muss mit HKEY_CURRENT_USER, HKCU "
                                    "oder einem anderen Stamm beginnen.")
                         .arg(operands.first()));
            return 2;
        }
        operands.removeFirst();
    }
    const QString fileName = operands.isEmpty() ? QStringLiteral("-") : operands.first();
    if (!storeReady())
        return 1;
    const std::optional<QList<RegFileKey>> keys =
        key ? RegFileTransfer::exportKey(key->root, key->path) : RegFileTransfer::exportAll();
    if (!keys) {
        cliError(
            key ? QStringLiteral("Der Schlüssel '%1' ist nicht vorhanden.").arg(key->fullName())
                : QStringLiteral("Die Einstellungen können nicht gelesen werden."));
        return 1;
    }
    // Standard output gets UTF-8 text with "\n" line ends, which a terminal
    // shows and import reads back; a file gets what regedit writes.
    const bool toStdout = SafeFileWriter::IsStandardOutput(fileName);
    QString error;
    const std::optional<QString> text = RegFileWriter(format).text(
        *keys, toStdout ? QStringLiteral("\n") : QStringLiteral("\r\n"), error);
    if (!text) {
        cliError(error);
        return 1;
    }
    const QByteArray bytes = !toStdout && format == RegFileFormat::Version5
                                 ? RegFileWriter::utf16LeWithBom(*text)
                                 : text->toUtf8();
    try {
        SafeFileWriter::WriteFile(fileName, bytes);
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
        return 1;
    }
    return 0;
}
} // namespace

int runSettingsCommand(const QStringList& args)
{
    if (args.value(0) == QLatin1String("import")) {
        CliOptions options;
        if (!options.parse(args.mid(1), {}) || options.operands().size() != 1)
            return usageError();
        return importFile(options.operands().first());
    }
    if (args.value(0) == QLatin1String("export"))
        return exportKeys(args.mid(1));
    return usageError();
}
