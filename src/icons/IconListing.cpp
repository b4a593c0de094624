// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/IconListing.h"

#include "core/AppErrorRecord.h"
#include "core/FolderListing.h"
#include "core/MessageTable.h"
#include "core/WorkerJob.h"
#include "icons/IconExtract.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxStyle.h"

#include <QElapsedTimer>

namespace {
// Items reach the window in batches: often enough to watch the list grow,
// seldom enough not to flood it.
constexpr qsizetype kBatch = 32;
constexpr qint64 kBatchMs = 100;

QStringList FilesOf(const QString& folder, std::initializer_list<const char*> patterns)
{
    QStringList names;
    for (const char* pattern : patterns)
        names += FolderListing::Files(folder, FilePattern(QLatin1String(pattern)));
    return names;
}

// Asks whether to go on after a file failed; false ends the listing.
bool GoOn(JobContext& context, const QString& description)
{
    return context.askMessage(Msg::ErrorContinueQuestion, MsgStyle::YesNo | MsgStyle::Question,
                              description) == MsgResult::Yes;
}

QString DescriptionOf(std::exception_ptr error)
{
    return AppErrorRecord::fromException(error).Description;
}

// Collects items and hands them on in batches.
template <typename T> class Batches {
public:
    explicit Batches(std::function<void(QList<T>)> add) : m_add(std::move(add)) { m_clock.start(); }
    ~Batches() { flush(); }
    void append(T item)
    {
        m_items.append(std::move(item));
        if (m_items.size() >= kBatch || m_clock.elapsed() >= kBatchMs)
            flush();
    }
    void flush()
    {
        if (!m_items.isEmpty())
            m_add(std::exchange(m_items, {}));
        m_clock.restart();
    }

private:
    std::function<void(QList<T>)> m_add;
    QList<T> m_items;
    QElapsedTimer m_clock;
};
} // namespace

QStringList IconListing::IconFiles(const QString& folder)
{
    return FilesOf(folder, {"*.ico"});
}

QStringList IconListing::Executables(const QString& folder)
{
    return FilesOf(folder, {"*.exe", "*.dll"});
}

void IconListing::ListIconFiles(const QString& folder, int size, JobContext& context,
                                const AddItems& add)
{
    const QStringList names = IconFiles(folder);
    Batches<IconItem> items(add);
    for (qsizetype i = 0; i < names.size() && !context.cancelled(); ++i) {
        context.progress(i + 1, names.size());
        try {
            IconExtract icon;
            icon.setFilename(folder + names[i]);
            const QImage image = icon.Scan() > 0 ? icon.Decode(0, size) : QImage();
            if (image.isNull())
                throw AppErrorRecord(RuntimeError::PathFileAccess, QString(),
                                     QStringLiteral("Die Datei '%1' ist keine lesbare Icon-Datei.")
                                         .arg(DisplayFileName(names[i])));
            items.append({names[i], DisplayFileName(names[i]), image});
        } catch (...) {
            items.flush();
            if (!GoOn(context, DescriptionOf(std::current_exception())))
                return;
        }
    }
}

void IconListing::ListExecutables(const QString& folder, JobContext& context, const AddNames& add)
{
    const QStringList names = Executables(folder);
    Batches<QString> found(add);
    for (qsizetype i = 0; i < names.size() && !context.cancelled(); ++i) {
        context.progress(i + 1, names.size());
        try {
            IconExtract icons;
            icons.setFilename(folder + names[i]);
            if (icons.Scan() > 0)
                found.append(names[i]);
        } catch (...) {
            found.flush();
            if (!GoOn(context, DescriptionOf(std::current_exception())))
                return;
        }
    }
}

void IconListing::ListExecutableIcons(const QString& path, int size, JobContext& context,
                                      const AddItems& add)
{
    IconExtract icons;
    icons.setFilename(path);
    const qint32 count = icons.Scan();
    Batches<IconItem> items(add);
    for (qint32 i = 0; i < count && !context.cancelled(); ++i) {
        context.progress(i + 1, count);
        const QImage image = icons.Decode(i, size);
        // A group whose pixels do not decode is no icon, as in Extract.
        if (!image.isNull())
            items.append({QStringLiteral("A") + QString::number(i),
                          QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0')), image});
    }
}
