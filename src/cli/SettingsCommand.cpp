// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SettingsCommand.h"

#include "cli/CliCommands.h"
#include "core/RegFileReader.h"
#include "core/RegFileTransfer.h"
#include "core/RegFileWriter.h"
#include "core/RegKeyPath.h"
#include "platform/SettingsDatabase.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {
// Far beyond any settings export; keeps a wrong file from filling the memory.
constexpr qint64 kMaxImportBytes = 64 * 1024 * 1024;

int usageError()
{
    cliError(QStringLiteral("Aufruf: tolvane-cli settings export [--regedit4] [SCHLÜSSEL] [DATEI]\n"
                            "       tolvane-cli settings import DATEI"));
    return 2;
}

// Opens the store; a notice from opening (a damaged file set aside) is passed on.
bool storeReady()
{
    const QString notice = SettingsDatabase::takeStartupNotice();
    if (!notice.isEmpty())
        cliError(notice);
    return SettingsDatabase::instance().isOpen();
}

int importFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        cliError(QStringLiteral("Die Datei '%1' kann nicht gelesen werden: %2")
                     .arg(QDir::toNativeSeparators(fileName), file.errorString()));
        return 1;
    }
    if (file.size() > kMaxImportBytes) {
        cliError(QStringLiteral("Die Datei '%1' ist zu groß für eine Registrierungsdatei.")
                     .arg(QDir::toNativeSeparators(fileName)));
        return 1;
    }
    RegFileReader reader;
    if (!reader.read(file.readAll())) {
        const QString where = reader.errorLine() > 0
                                  ? QStringLiteral(", Zeile %1").arg(reader.errorLine())
                                  : QString();
        cliError(QStringLiteral("Fehler in '%1'%2: %3 Es wurde nichts importiert.")
                     .arg(QDir::toNativeSeparators(fileName), where, reader.errorText()));
        return 1;
    }
    if (!storeReady())
        return 1;
    QString error;
    RegFileTransfer::Counts counts;
    if (!RegFileTransfer::importDocument(reader.document(), error, &counts)) {
        cliError(QStringLiteral("Fehler beim Import von '%1': %2")
                     .arg(QDir::toNativeSeparators(fileName), error));
        return 1;
    }
    cliPrint(QStringLiteral("Importiert: %1 Schlüssel, %2 Werte aus '%3'.")
                 .arg(counts.keys)
                 .arg(counts.values)
                 .arg(QDir::toNativeSeparators(fileName)));
    return 0;
}

bool writeFile(const QString& fileName, const QByteArray& bytes)
{
    // Written aside and renamed over the target: an old export is never left half overwritten.
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    cliError(QStringLiteral("Die Datei '%1' kann nicht geschrieben werden: %2")
                 .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    return false;
}

int exportKeys(QStringList args)
{
    const RegFileFormat format = args.removeAll(QStringLiteral("--regedit4")) > 0
                                     ? RegFileFormat::Regedit4
                                     : RegFileFormat::Version5;
    if (args.size() > 2)
        return usageError();
    std::optional<RegKeyPath> key;
    if (!args.isEmpty() && (args.size() == 2 || RegKeyPath::parse(args.first()))) {
        key = RegKeyPath::parse(args.first());
        if (!key) {
            cliError(QStringLiteral("'%1' ist kein Schlüssel: Er muss mit HKEY_CURRENT_USER, HKCU "
                                    "oder einem anderen Stamm beginnen.")
                         .arg(args.first()));
            return 2;
        }
        args.removeFirst();
    }
    const QString fileName = args.isEmpty() ? QString() : args.first();
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
    const bool toStdout = fileName.isEmpty() || fileName == QLatin1String("-");
    QString error;
    const std::optional<QString> text = RegFileWriter(format).text(
        *keys, toStdout ? QStringLiteral("\n") : QStringLiteral("\r\n"), error);
    if (!text) {
        cliError(error);
        return 1;
    }
    if (toStdout) {
        const QByteArray bytes = text->toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    const QByteArray bytes =
        format == RegFileFormat::Version5 ? RegFileWriter::utf16LeWithBom(*text) : text->toUtf8();
    return writeFile(fileName, bytes) ? 0 : 1;
}
} // namespace

int runSettingsCommand(const QStringList& args)
{
    if (args.value(0) == QLatin1String("import") && args.size() == 2)
        return importFile(args.at(1));
    if (args.value(0) == QLatin1String("export"))
        return exportKeys(args.mid(1));
    return usageError();
}
