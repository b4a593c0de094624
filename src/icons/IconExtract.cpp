// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/IconExtract.h"

#include "core/AppErrorRecord.h"
#include "icons/IcoFile.h"
#include "icons/IconCanvas.h"
#include "icons/IconGroup.h"
#include "platform/InputFile.h"
#include "platform/PeFile.h"

#include <cmath>
#include <optional>

namespace {
const QString kClass = QStringLiteral("IconExtract");
// Icon files are small; anything larger is not read into memory.
constexpr qint64 kMaxIconFileSize = qint64(16) << 20;
constexpr quint64 kGroupHeaderSize = 6;
constexpr quint64 kGroupEntrySize = 14;

// Passes the failure just caught on to the caller with the same number and
// description, "IconExtract/<operation>" added to its source.
[[noreturn]] void raiseFrom(const char* operation)
{
    const AppErrorRecord e = AppErrorRecord::fromException(std::current_exception());
    const QString place = kClass + QLatin1Char('/') + QLatin1String(operation);
    throw AppErrorRecord(e.Number,
                         e.Source.isEmpty() ? place : e.Source + QStringLiteral(": ") + place,
                         e.Description, e.Line, e.HelpFile, e.HelpContext);
}

std::optional<QByteArray> readIconFile(const QString& path)
{
    InputFile file;
    if (!file.open(path) || file.size() > quint64(kMaxIconFileSize))
        return std::nullopt;
    const std::optional<QByteArray> head = file.readAt(0, 6);
    if (!head || !IcoFile::looksLikeIcon(*head))
        return std::nullopt;
    return file.readAll(quint64(kMaxIconFileSize));
}
} // namespace

const IconExtract::Icon& IconExtract::icon(qint32 index) const
{
    if (index < 0 || index >= IconCount())
        throw AppErrorRecord(RuntimeError::SubscriptOutOfRange, QString(),
                             QStringLiteral("Index außerhalb des gültigen Bereichs."));
    return m_icons[index];
}

QImage IconExtract::IconHandle(qint32 lIconIndex, qint32 lSmall0Large1) const
{
    try {
        const Icon& i = icon(lIconIndex);
        return lSmall0Large1 != 0 ? i.large : i.small;
    } catch (...) {
        raiseFrom("IconHandle");
    }
}

QImage IconExtract::GetPicture(qint32 lIconIndex, qint32 lSmall0Large1) const
{
    try {
        const Icon& i = icon(lIconIndex);
        return lSmall0Large1 != 0 ? i.large : i.small;
    } catch (...) {
        raiseFrom("GetPicture");
    }
}

QList<IconImageInfo> IconExtract::Images(qint32 lIconIndex) const
{
    try {
        return icon(lIconIndex).images;
    } catch (...) {
        raiseFrom("Images");
    }
}

void IconExtract::Draw2Form(IconCanvas& frm, qint32 lIconIndex, qint32 lLeft, qint32 lTop,
                            qint32 lSmall0Large1, bool fAutoClear) const
{
    try {
        const bool large = lSmall0Large1 == 1;
        const QImage& image = large ? icon(lIconIndex).large : icon(lIconIndex).small;
        frm.AutoRedraw = true;
        if (fAutoClear)
            frm.Cls();
        // Only the large icon's position is given in twips.
        const QPoint at = large ? QPoint(int(std::lround(lLeft / frm.TwipsPerPixelX())),
                                         int(std::lround(lTop / frm.TwipsPerPixelY())))
                                : QPoint(lLeft, lTop);
        frm.drawImage(at, image);
        frm.Refresh();
    } catch (...) {
        raiseFrom("Draw2Form");
    }
}

void IconExtract::Draw2PictureBox(IconCanvas& pic, qint32 lIconIndex, qint32 lSmall0Large1,
                                  bool fAutoSizePictureBox) const
{
    try {
        const bool large = lSmall0Large1 == 1;
        const int size = large ? LargeSize : SmallSize;
        const QImage& image = large ? icon(lIconIndex).large : icon(lIconIndex).small;
        pic.AutoRedraw = true;
        if (fAutoSizePictureBox) {
            pic.setWidth(qint32(std::lround(size * pic.TwipsPerPixelX())));
            pic.setHeight(qint32(std::lround(size * pic.TwipsPerPixelY())));
        }
        pic.Cls();
        pic.drawImage(QPoint(0, 0), image);
        pic.Refresh();
    } catch (...) {
        raiseFrom("Draw2PictureBox");
    }
}

qint32 IconExtract::Extract()
{
    try {
        scanFile();
        decodeAll();
        return IconCount();
    } catch (...) {
        raiseFrom("Extract");
    }
}

qint32 IconExtract::ExtractFromData(const QByteArray& bytes)
{
    try {
        m_groups.clear();
        PeFile pe;
        if (pe.openData(bytes)) {
            scanPe(pe);
        } else if (auto group = IcoFile::read(bytes); group && !group->isEmpty()) {
            m_groups.append(std::move(*group));
        }
        decodeAll();
        return IconCount();
    } catch (...) {
        raiseFrom("ExtractFromData");
    }
}

qint32 IconExtract::Scan()
{
    try {
        scanFile();
        return ScannedCount();
    } catch (...) {
        raiseFrom("Scan");
    }
}

QImage IconExtract::Decode(qint32 index, int size) const
{
    if (index < 0 || index >= ScannedCount())
        throw AppErrorRecord(RuntimeError::SubscriptOutOfRange, kClass + QStringLiteral("/Decode"),
                             QStringLiteral("Index außerhalb des gültigen Bereichs."));
    return m_groups[index].pick(size);
}

void IconExtract::scanFile()
{
    m_groups.clear();
    PeFile pe;
    if (pe.open(m_filename)) {
        scanPe(pe);
    } else if (const auto bytes = readIconFile(m_filename)) {
        if (auto group = IcoFile::read(*bytes); group && !group->isEmpty())
            m_groups.append(std::move(*group));
    }
}

void IconExtract::decodeAll()
{
    m_icons.clear();
    for (const IconGroup& group : m_groups)
        addIcon(group);
}

void IconExtract::scanPe(const PeFile& pe)
{
    const QList<PeResource> groups = pe.resourcesOfType(PeFile::RtGroupIcon);
    const PeResourceKey* previous = nullptr;
    for (const PeResource& g : groups) {
        // One icon per group: the languages of a group follow each other,
        // and the first stands for the rest.
        if (previous && *previous == g.name)
            continue;
        previous = &g.name;
        if (m_groups.size() >= MaxIcons)
            break;
        const QByteArray groupBytes = pe.data(g);
        const ByteReader r(groupBytes);
        const auto type = r.u16le(2);
        const auto count = r.u16le(4);
        if (type != 1u || !count)
            continue;
        IconGroup group;
        for (quint64 i = 0; i < *count; ++i) {
            const quint64 entry = kGroupHeaderSize + i * kGroupEntrySize;
            const auto height = r.u8(entry + 1);
            const auto id = r.u16le(entry + 12);
            if (!height || !id)
                break;
            if (const auto image = pe.find(PeFile::RtIcon, *id, g.language))
                group.add(pe.data(*image), *height);
        }
        if (!group.isEmpty())
            m_groups.append(std::move(group));
    }
}

void IconExtract::addIcon(const IconGroup& group)
{
    if (group.isEmpty())
        return;
    Icon icon{group.pick(LargeSize), group.pick(SmallSize), group.images()};
    // A group none of whose images decode gives no icon rather than an empty one.
    if (icon.large.isNull() || icon.small.isNull())
        return;
    m_icons.append(icon);
}
