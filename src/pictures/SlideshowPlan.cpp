// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/SlideshowPlan.h"

#include "cnf/CNFFile.h"
#include "cnf/CNFMessages.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/FolderListing.h"
#include "core/MessageTable.h"
#include "core/PathUtil.h"
#include "core/TextUtil.h"
#include "core/UserFileRead.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxService.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

#include <sys/stat.h>

#include <cmath>

namespace {
const QString kSource = QStringLiteral("pCmdSlideshow");
// A command file is a few lines; anything near this is no command file.
constexpr quint64 kMaxCommandFileSize = quint64(16) << 20;

QString ValueOf(const CNFSections& sections, QStringView section, QStringView key)
{
    const CNFSection* found = sections.Find(section);
    const CNFKey* entry = found ? found->Keys().Find(key) : nullptr;
    return entry ? entry->Value().trimmed() : QString();
}

// The kind of entry at the path (S_IFDIR ...), 0 when there is none. Asked
// by the name's bytes: a name need not be UTF-8.
mode_t KindOf(const QString& path)
{
    struct stat st {};
    return ::stat(EncodeFileName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// Seconds below 1000, milliseconds from there on; empty: none.
qint32 IntervalOf(const QString& value)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+(\\.[0-9]+)?$"));
    if (value.isEmpty())
        return 0;
    double amount = number.match(value).hasMatch() ? value.toDouble() : std::nan("");
    if (!std::isnan(amount) && amount < 1000)
        amount *= 1000;
    if (std::isnan(amount) || std::abs(amount) > INT32_MAX)
        throw AppErrorRecord(
            RuntimeError::TypeMismatch, QString(),
            AppErr().MsgLoad(Msg::SlideshowBadNumber, QStringLiteral("Interval"), value));
    return qint32(std::lround(amount));
}

// A plain colour (red in the low byte) or a system colour; anything else: none.
qint32 BackColorOf(const QString& value)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]{1,12}$"));
    if (!number.match(value).hasMatch())
        return -1;
    const qint64 colour = value.toLongLong();
    const bool plain = colour >= 0 && colour <= 0xFFFFFF;
    const bool system = colour >= 0x80000000LL && colour <= 0x80000018LL;
    return plain || system ? qint32(quint32(colour)) : -1;
}
} // namespace

QString SlideshowPlan::Absolute(const QString& path, const QString& baseFolder)
{
    const QString wanted = StripQuotes(path);
    if (wanted.isEmpty())
        return {};
    const QString joined = wanted.startsWith(QLatin1Char('/'))
                               ? wanted
                               : AddTrailing(baseFolder, QLatin1Char('/')) + wanted;
    return QDir::cleanPath(joined);
}

void SlideshowPlan::Tell(qint32 message, const QString& argument)
{
    const int style = message == Msg::NoMatchingFiles ? MsgStyle::Exclamation : MsgStyle::Critical;
    notices.append(Notice{message, DisplayFileName(argument), style});
}

void SlideshowPlan::AddFolder(const QString& folder, const QString& pattern)
{
    QStringList names = FolderListing::Files(folder, FilePattern(pattern));
    PrefixPath(folder, names);
    QSet<QString> known(files.cbegin(), files.cend());
    for (const QString& name : std::as_const(names)) {
        if (!known.contains(name))
            files.append(name);
    }
}

void SlideshowPlan::ReadCommandFile(const QString& path, const QString& pattern)
{
    const QByteArray bytes = ReadUserFile(path, kMaxCommandFileSize, kSource);
    CNFFile document;
    document.Filename = path;
    document.SetEventPump({});
    try {
        document.BufferRead(bytes);
    } catch (const AppErrorRecord& error) {
        // A file without any section names no picture; that is no failure.
        if (error.Number == cuAppError::ErrorBase - CNFMessages::NoSections ||
            error.Number == cuAppError::ErrorBase - CNFMessages::NoEntries)
            return;
        throw;
    }
    const CNFSections& sections = document.Sections();
    interval = IntervalOf(ValueOf(sections, u"Options", u"Interval"));
    const QString colour = ValueOf(sections, u"Options", u"BackColor");
    backColor = colour == QLatin1String("-1") ? -1 : BackColorOf(colour);
    maximize = ValueOf(sections, u"Options", u"Maximize") == QLatin1String("1");
    const CNFSection* folders = sections.Find(u"Folders");
    if (!folders)
        return;
    const QString base = FolderOf(path);
    for (const CNFKey& key : folders->Keys()) {
        // An empty line in the section is read as a key without value: no folder.
        if (key.Value().trimmed().isEmpty())
            continue;
        const QString folder = Absolute(key.Value().trimmed(), base);
        if (KindOf(folder) == S_IFDIR)
            AddFolder(folder, pattern);
        else
            Tell(Msg::SlideshowFolderMissing, AddTrailing(folder, QLatin1Char('/')));
    }
}

SlideshowPlan SlideshowPlan::Make(const QString& path, const QString& currentFolder,
                                  const QString& pattern)
{
    SlideshowPlan plan;
    const QString absolute = Absolute(path, currentFolder);
    plan.validPath = IsValidPath(absolute);
    if (!plan.validPath)
        return plan;
    if (KindOf(absolute) == S_IFDIR) {
        plan.AddFolder(absolute, pattern);
        if (plan.files.isEmpty())
            plan.Tell(Msg::NoMatchingFiles, AddTrailing(absolute, QLatin1Char('/')));
        return plan;
    }
    if (ExtensionOfPath(FileNameOf(absolute)).compare(QLatin1String("ini"), Qt::CaseInsensitive) !=
        0) {
        plan.Tell(Msg::SlideshowFolderMissing, absolute);
    } else if (KindOf(absolute) == 0) {
        plan.Tell(Msg::FileMissing, absolute);
    } else {
        try {
            plan.ReadCommandFile(absolute, pattern);
        } catch (...) {
            AppErr().ErrRaise(0, kSource, QStringLiteral("HandleIni"));
        }
        if (plan.files.isEmpty())
            plan.Tell(Msg::NoMatchingFiles, absolute);
    }
    return plan;
}
