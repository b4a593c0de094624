// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/IconsCommand.h"

#include "cli/CliCommands.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/cuAppError.h"
#include "icons/IcoFile.h"
#include "icons/IconExtract.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

#include <optional>

namespace {
constexpr int kMsgFileMissing = 156;

struct Options {
    QString file;
    int size = IconExtract::LargeSize;
    QString saveDir;
    QString format = QStringLiteral("ico");
};

std::optional<Options> parseArgs(const QStringList& args)
{
    Options o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--size") && hasValue) {
            const QString v = args[++i];
            if (v != QLatin1String("16") && v != QLatin1String("32")) {
                cliError(QStringLiteral("Ungültige Größe '%1': erlaubt sind 16 und 32.").arg(v));
                return std::nullopt;
            }
            o.size = v.toInt();
        } else if (a == QLatin1String("--save") && hasValue) {
            o.saveDir = args[++i];
        } else if (a == QLatin1String("--format") && hasValue) {
            o.format = args[++i].toLower();
            if (o.format != QLatin1String("ico") && o.format != QLatin1String("bmp") &&
                o.format != QLatin1String("png")) {
                cliError(QStringLiteral("Ungültiges Format '%1': erlaubt sind ico, bmp und png.")
                             .arg(args[i]));
                return std::nullopt;
            }
        } else if (!a.startsWith(QLatin1String("--")) && o.file.isEmpty()) {
            o.file = a;
        } else {
            cliError(QStringLiteral("Unbekanntes oder unvollständiges Argument: %1").arg(a));
            return std::nullopt;
        }
    }
    if (o.file.isEmpty()) {
        cliError(QStringLiteral("Aufruf: tolvane-cli icons DATEI [--size 16|32] [--save ORDNER] "
                                "[--format ico|bmp|png]"));
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

QByteArray encode(const QImage& image, const QString& format)
{
    if (format == QLatin1String("ico"))
        return IcoFile::write({image});
    QImage out = image;
    if (format == QLatin1String("bmp")) {
        // Bitmaps have no transparency: the icon is drawn on white, the
        // icon viewer's default background.
        out = QImage(image.size(), QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter painter(&out);
        painter.drawImage(0, 0, image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    out.save(&buffer, format == QLatin1String("bmp") ? "BMP" : "PNG");
    return bytes;
}

// Writes a new file whole or not at all; an existing file is left alone.
bool saveNew(const QString& path, const QByteArray& bytes)
{
    if (QFileInfo::exists(path)) {
        cliError(
            QStringLiteral("Die Zieldatei '%1' existiert bereits und wird nicht überschrieben.")
                .arg(path));
        return false;
    }
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        cliError(QStringLiteral("Die Datei '%1' konnte nicht geschrieben werden.").arg(path));
        return false;
    }
    return true;
}

bool saveAll(const IconExtract& icons, const Options& o)
{
    if (!QDir().mkpath(o.saveDir)) {
        cliError(QStringLiteral("Der Ordner '%1' konnte nicht angelegt werden.").arg(o.saveDir));
        return false;
    }
    const QString base = QFileInfo(o.file).completeBaseName();
    const int large = o.size == IconExtract::LargeSize ? 1 : 0;
    bool ok = true;
    for (qint32 i = 0; i < icons.IconCount(); ++i) {
        const QString name =
            QStringLiteral("%1_%2.%3").arg(base).arg(i + 1, 4, 10, QLatin1Char('0')).arg(o.format);
        ok =
            saveNew(QDir(o.saveDir).filePath(name), encode(icons.GetPicture(i, large), o.format)) &&
            ok;
    }
    return ok;
}
} // namespace

int runIconsCommand(const QStringList& args)
{
    const auto options = parseArgs(args);
    if (!options)
        return 2;
    if (!QFileInfo::exists(options->file)) {
        cliError(AppErr().MsgLoad(kMsgFileMissing, options->file));
        return 1;
    }
    IconExtract icons;
    icons.setFilename(options->file);
    try {
        if (icons.Extract() == 0) {
            cliError(QStringLiteral("Keine Icons in '%1' gefunden.").arg(options->file));
            return 1;
        }
        for (qint32 i = 0; i < icons.IconCount(); ++i)
            cliPrint(QStringLiteral("%1\t%2")
                         .arg(i + 1, 4, 10, QLatin1Char('0'))
                         .arg(describe(icons.Images(i))));
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
        return 1;
    }
    if (!options->saveDir.isEmpty() && !saveAll(icons, *options))
        return 1;
    return 0;
}
