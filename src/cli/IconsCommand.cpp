// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/IconsCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/cuAppError.h"
#include "icons/IconExtract.h"
#include "icons/IconSave.h"
#include "platform/FileNameCodec.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

const char* const kIconsCommandUsage =
    "icons DATEI... [--size 16|32] [--save ORDNER] [--format ico|bmp|png]";

namespace {
struct Options {
    QStringList files;
    int size = IconExtract::LargeSize;
    QString saveDir;
    QString format = QStringLiteral("ico");
};

std::optional<Options> parseArgs(const QStringList& args)
{
    CliOptions read;
    if (!read.parse(args, {{"--size", true}, {"--save", true}, {"--format", true}}))
        return std::nullopt;
    Options o;
    o.files = read.operands();
    const QString size = read.value("--size", QStringLiteral("32"));
    if (size != QLatin1String("16") && size != QLatin1String("32")) {
        cliError(QStringLiteral("Ungültige Größe '%1': erlaubt sind 16 und 32.").arg(size));
        return std::nullopt;
    }
    o.size = size.toInt();
    o.format = read.value("--format", o.format).toLower();
    if (o.format != QLatin1String("ico") && o.format != QLatin1String("bmp") &&
        o.format != QLatin1String("png")) {
        cliError(QStringLiteral("Ungültiges Format '%1': erlaubt sind ico, bmp und png.")
                     .arg(read.value("--format")));
        return std::nullopt;
    }
    o.saveDir = read.value("--save");
    if (read.has("--save") && o.saveDir.isEmpty()) {
        cliError(QStringLiteral("--save verlangt einen Ordner."));
        return std::nullopt;
    }
    if (o.files.isEmpty() || o.files.contains(QString())) {
        cliError(QStringLiteral("Aufruf: tolvane-cli ") + QString::fromUtf8(kIconsCommandUsage));
        return std::nullopt;
    }
    return o;
}

QString describe(const QList<IconImageInfo>& images)
{
    QStringList parts;
    for (const IconImageInfo& i : images) {
        QString text = QStringLiteral("%1x%2 %3 Bit").arg(i.width).arg(i.height).arg(i.bitCount);
        if (i.png)
            text += QStringLiteral(" PNG");
        parts.append(text);
    }
    return parts.join(QStringLiteral(", "));
}

bool saveAll(const IconExtract& icons, const QString& file, const Options& o)
{
    if (!QDir().mkpath(o.saveDir)) {
        cliError(QStringLiteral("Der Ordner '%1' konnte nicht angelegt werden.").arg(o.saveDir));
        return false;
    }
    const QString base = QFileInfo(file).completeBaseName();
    const int large = o.size == IconExtract::LargeSize ? 1 : 0;
    bool ok = true;
    for (qint32 i = 0; i < icons.IconCount(); ++i) {
        const QString name =
            QStringLiteral("%1_%2.%3").arg(base).arg(i + 1, 4, 10, QLatin1Char('0')).arg(o.format);
        // Never over an existing file, nor through a link out of the folder:
        // the rename that places the file refuses any name that exists.
        try {
            // Bitmaps are drawn on white, the icon viewer's default background.
            IconSave::Save(QDir(o.saveDir).filePath(name), icons.GetPicture(i, large),
                           *IconSave::FormatOf(name), Qt::white, false);
        } catch (const AppErrorRecord& e) {
            cliError(e.Description);
            ok = false;
        }
    }
    return ok;
}

// The icons of one file, listed and saved; false after a message.
bool runOne(const QString& file, const Options& options)
{
    if (!cliCheckInputFile(file, false))
        return false;
    IconExtract icons;
    icons.setFilename(file);
    try {
        if (!icons.Extract()) {
            cliError(QStringLiteral("Keine Icons in '%1' gefunden.").arg(DisplayFileName(file)));
            return false;
        }
        for (qint32 i = 0; i < icons.IconCount(); ++i)
            cliPrint(QStringLiteral("%1\t%2")
                         .arg(i + 1, 4, 10, QLatin1Char('0'))
                         .arg(describe(icons.Images(i))));
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
        return false;
    }
    return options.saveDir.isEmpty() || saveAll(icons, file, options);
}
} // namespace

int runIconsCommand(const QStringList& args)
{
    const auto options = parseArgs(args);
    if (!options)
        return 2;
    bool allDone = true;
    for (const QString& file : options->files) {
        if (options->files.size() > 1)
            cliPrintBytes("== " + EncodeFileName(file));
        allDone = runOne(file, *options) && allDone;
    }
    return allDone ? 0 : 1;
}
