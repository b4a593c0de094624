// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/FileVersionInfo.h"

#include "core/AppGlobals.h"
#include "core/cuAppError.h"
#include "fileinfo/LanguageNames.h"
#include "fileinfo/VersionResource.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"
#include "platform/PeFile.h"

#include <QDir>
#include <QFile>

namespace {
const QString kSource = QStringLiteral("FileVersionInfo");
constexpr quint16 kVersionInfoId = 1;

QString padded(quint32 value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

// The version resource a PE image carries: the one numbered 1 as resource
// compilers write it, else the first there is.
QByteArray versionBytes(const PeFile& pe)
{
    auto resource = pe.find(PeFile::RtVersion, kVersionInfoId);
    if (!resource) {
        const QList<PeResource> all = pe.resourcesOfType(PeFile::RtVersion);
        if (all.isEmpty())
            return {};
        resource = all.first();
    }
    return pe.data(*resource);
}

// Opens a PE image by the exact bytes of its name. PeFile::open takes the
// name through the locale's encoding, which cannot name a file whose name is
// not UTF-8; such a file is mapped here and its bytes handed over. `file`
// holds the mapping and must outlive the use of `pe`.
bool openByBytes(PeFile& pe, QFile& file, const QString& path)
{
    // Only regular files: opening a FIFO or a device may block or never end.
    const std::optional<FileStatus> status = ReadFileStatus(path);
    if (!status || !status->isRegular() || status->size < 64 ||
        !OpenFileByName(file, path, QIODevice::ReadOnly))
        return false;
    const uchar* map = file.map(0, file.size());
    return map && pe.openData(QByteArray::fromRawData(reinterpret_cast<const char*>(map),
                                                      qsizetype(file.size())));
}

// The table the translation names; where it is missing (writers often give
// the table another code page than the translation), the first table of the
// same language, else the first table at all.
QString tableCode(const VersionResource& resource, const QString& code)
{
    const QStringList codes = resource.tableCodes();
    if (codes.isEmpty() || codes.contains(code, Qt::CaseInsensitive))
        return code;
    for (const QString& c : codes) {
        if (c.left(4).compare(code.left(4), Qt::CaseInsensitive) == 0)
            return c;
    }
    return codes.first();
}
} // namespace

void FileVersionInfo::setFullPathName(const QString& path)
{
    if (path.isEmpty())
        return;
    m_fullPathName = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    Refresh();
}

QString FileVersionInfo::FileVersion() const
{
    return m_stringFileVersion.trimmed().isEmpty() ? m_fileVersionText : m_stringFileVersion;
}

QString FileVersionInfo::ProductVersion() const
{
    return m_stringProductVersion.trimmed().isEmpty() ? m_productVersionText
                                                      : m_stringProductVersion;
}

void FileVersionInfo::clear()
{
    const QString path = m_fullPathName;
    *this = FileVersionInfo();
    m_fullPathName = path;
}

void FileVersionInfo::Refresh()
{
    try {
        clear();
        PeFile pe;
        QFile mapped;
        if (!(HasRawBytes(m_fullPathName) ? openByBytes(pe, mapped, m_fullPathName)
                                          : pe.open(m_fullPathName)))
            return;
        VersionResource resource;
        if (resource.parse(versionBytes(pe)))
            apply(resource);
    } catch (...) {
        AppErr().ErrRaise(0, kSource, QStringLiteral("Refresh"));
    }
}

void FileVersionInfo::RefreshFromData(const QByteArray& image)
{
    try {
        clear();
        PeFile pe;
        if (!pe.openData(image))
            return;
        VersionResource resource;
        if (resource.parse(versionBytes(pe)))
            apply(resource);
    } catch (...) {
        AppErr().ErrRaise(0, kSource, QStringLiteral("RefreshFromData"));
    }
}

void FileVersionInfo::apply(const VersionResource& resource)
{
    m_available = true;
    if (resource.fixed())
        applyFixed(*resource.fixed());
    applyStrings(resource);
}

void FileVersionInfo::applyFixed(const VsFixedFileInfo& fixed)
{
    m_fileVersionText = VersionText(fixed.fileVersionMS, fixed.fileVersionLS);
    m_productVersionText = VersionText(fixed.productVersionMS, fixed.productVersionLS);
    m_major = fixed.fileVersionMS >> 16;
    m_minor = fixed.fileVersionMS & 0xFFFF;
    m_revision = VersionRevision(fixed.fileVersionLS);
    // The flags word as stored, without the block's flag mask.
    m_fileFlags = FlagsText(fixed.fileFlags);
    m_fileOS = OSText(fixed.fileOS);
    m_fileType = TypeText(fixed.fileType);
    m_fileSubType = SubTypeText(fixed.fileType, fixed.fileSubtype);
}

void FileVersionInfo::applyStrings(const VersionResource& resource)
{
    if (resource.translations().isEmpty())
        return;
    const quint32 first = resource.translations().first();
    const quint16 language = quint16(first & 0xFFFF);
    const quint16 codePage = quint16(first >> 16);
    const QString code = QStringLiteral("%1%2")
                             .arg(language, 4, 16, QLatin1Char('0'))
                             .arg(codePage, 4, 16, QLatin1Char('0'))
                             .toUpper();
    m_language = LanguageName(language);
    const QString table = tableCode(resource, code);
    auto entry = [&](const char* name) { return resource.string(table, QLatin1String(name)); };
    m_companyName = entry("CompanyName");
    m_fileDescription = entry("FileDescription");
    m_stringFileVersion = entry("FileVersion");
    m_internalName = entry("InternalName");
    m_legalCopyright = entry("LegalCopyright");
    m_legalTrademarks = entry("LegalTrademarks");
    m_originalFilename = entry("OriginalFilename");
    m_productName = entry("ProductName");
    m_stringProductVersion = entry("ProductVersion");
    m_comments = entry("Comments");
}

QString FileVersionInfo::VersionText(quint32 ms, quint32 ls)
{
    const quint32 third = ls >> 16;
    const quint32 fourth = ls & 0xFFFF;
    const QString tail = third == 0 ? padded(fourth, 4) : padded(third, 2) + padded(fourth, 2);
    return QString::number(ms >> 16) + QLatin1Char('.') + padded(ms & 0xFFFF, 2) +
           QLatin1Char('.') + tail;
}

qint64 FileVersionInfo::VersionRevision(quint32 ls)
{
    const quint32 third = ls >> 16;
    const quint32 fourth = ls & 0xFFFF;
    if (third == 0)
        return fourth;
    return (padded(third, 2) + padded(fourth, 2)).toLongLong();
}

QString FileVersionInfo::FlagsText(quint32 flags)
{
    static const char* const words[] = {"Debug", "PreRel", "Patched", "Private", "Info", "Special"};
    QStringList set;
    for (int bit = 0; bit < 6; ++bit) {
        if (flags & (1u << bit))
            set.append(QLatin1String(words[bit]));
    }
    return set.join(QLatin1Char(' '));
}

QString FileVersionInfo::OSText(quint32 os)
{
    switch (os) {
    case 0x00010001:
        return QStringLiteral("DOS-Win16");
    case 0x00010004:
        return QStringLiteral("DOS-Win32");
    case 0x00020002:
        return QStringLiteral("OS/2-16 PM-16");
    case 0x00030003:
        return QStringLiteral("OS/2-16 PM-32");
    case 0x00040004:
        return QStringLiteral("NT-Win32");
    default:
        return QStringLiteral("Unknown");
    }
}

QString FileVersionInfo::TypeText(quint32 type)
{
    static const char* const names[] = {"Unknown", "Application", "DLL",     "Driver",
                                        "Font",    "VxD",         "Unknown", "Lib"};
    return QLatin1String(type < 8 ? names[type] : "Unknown");
}

QString FileVersionInfo::SubTypeText(quint32 type, quint32 subtype)
{
    static const char* const drivers[] = {
        "Unknown",     "Printer drv", "Keyboard drv", "Language drv", "Display drv", "Mouse drv",
        "Network drv", "System drv",  "Installable",  "Sound drv",    "Comm drv"};
    static const char* const fonts[] = {nullptr, "Raster Font", "Vector Font", "TrueType Font"};
    if (type == 3 && subtype < 11)
        return QLatin1String(drivers[subtype]);
    if (type == 4 && subtype >= 1 && subtype < 4)
        return QLatin1String(fonts[subtype]);
    return QString();
}
