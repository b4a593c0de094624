// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PeFile.h"

#include "platform/InputFile.h"

#include <QSet>

#include <algorithm>

namespace {
constexpr quint16 kDosMagic = 0x5A4D;    // "MZ"
constexpr quint32 kPeSignature = 0x4550; // "PE\0\0"
constexpr quint16 kMagicPe32 = 0x10b;
constexpr quint16 kMagicPe32Plus = 0x20b;
constexpr quint32 kHighBit = 0x80000000u;
constexpr quint64 kSectionHeaderSize = 40;
constexpr quint64 kDirectoryHeaderSize = 16;
constexpr quint64 kDirectoryEntrySize = 8;
constexpr int kExportDirectoryIndex = 0;
constexpr int kResourceDirectoryIndex = 2;
// The export directory: NumberOfNames at +24, AddressOfNames at +32.
constexpr quint64 kExportDirectorySize = 40;
// Real libraries export some thousand names of some hundred bytes (C++
// names are long); a hostile table claims millions.
constexpr quint32 kMaxExportNames = 1u << 14;
constexpr quint64 kMaxExportNameLength = 1024;
// A hostile tree can make many directories overlap and share their entries;
// these caps keep the walk to a bounded amount of work and memory while
// leaving room for the largest real resource libraries (some thousand leaves).
constexpr quint64 kMaxEntriesRead = 1u << 20;
constexpr qsizetype kMaxResources = 1 << 18;
// The file is read, never mapped (a mapped file that another program cuts
// short ends the process with SIGBUS). The headers sit near the start: an
// image whose PE header lies further in is not one any loader takes.
constexpr quint64 kMaxHeaderOffset = 16u << 20;
// Resource data beyond this size is no icon or version block.
constexpr quint64 kMaxResourceRead = 64u << 20;
// The resource tree is read in growing pieces from its start, where the
// directories are; the data behind them is read only when asked for.
constexpr quint64 kTreeStep = 64u << 10;
} // namespace

// The resource tree has exactly three levels (type, name, language). Each
// directory is read once, so a directory that refers to itself or to one of
// its parents ends the walk there instead of looping.
struct PeFile::Walk {
    ByteReader tree; // the part of the tree read so far
    QByteArray bytes;
    quint64 offset = 0; // of the tree in the file
    quint64 limit = 0;  // bytes of the tree inside the file
    QSet<quint64> visited;
    quint64 entriesRead = 0;
};

PeFile::PeFile() = default;

PeFile::~PeFile()
{
    close();
}

void PeFile::close()
{
    m_file.reset();
    m_buffer.clear();
    m_head.clear();
    m_data = ByteReader();
    m_size = 0;
    m_isPe = false;
    m_is64 = false;
    m_sizeOfHeaders = 0;
    m_exportRva = 0;
    m_sections.clear();
    m_resources.clear();
}

bool PeFile::open(const QString& path)
{
    close();
    // Only regular files open: a FIFO or a device may block or never end.
    auto file = std::make_unique<InputFile>();
    if (!file->open(path, ReadAccess::KeepAccessTime) || file->size() < 64)
        return false;
    m_file = std::move(file);
    m_size = m_file->size();
    return readHeaders() && parse();
}

bool PeFile::openData(const QByteArray& data)
{
    close();
    m_buffer = data;
    m_size = quint64(data.size());
    return readHeaders() && parse();
}

std::optional<QByteArray> PeFile::readRange(quint64 offset, quint64 length) const
{
    if (offset > m_size || length > m_size - offset)
        return std::nullopt;
    if (!m_file)
        return m_buffer.mid(qsizetype(offset), qsizetype(length));
    return m_file->readAt(offset, length);
}

// The DOS header, the PE headers and the section table, as one piece from
// the start of the file.
bool PeFile::readHeaders()
{
    const std::optional<QByteArray> dos = readRange(0, 64);
    if (!dos)
        return false;
    const auto lfanew = ByteReader(*dos).u32le(0x3C);
    if (!lfanew || *lfanew > kMaxHeaderOffset)
        return false;
    const quint64 fixed = quint64(*lfanew) + 24;
    const std::optional<QByteArray> coff = readRange(0, std::min(fixed, m_size));
    const ByteReader head(coff.value_or(QByteArray()));
    const auto optionalSize = head.u16le(*lfanew + 20);
    const auto sectionCount = head.u16le(*lfanew + 6);
    if (!optionalSize || !sectionCount)
        return false;
    // A table cut short by the end of the file keeps the sections it has.
    const quint64 wanted = fixed + *optionalSize + *sectionCount * kSectionHeaderSize;
    const std::optional<QByteArray> all = readRange(0, std::min(wanted, m_size));
    if (!all)
        return false;
    m_head = *all;
    m_data = ByteReader(m_head);
    return true;
}

bool PeFile::parse()
{
    const ByteReader& d = m_data;
    const auto lfanew = d.u32le(0x3C);
    if (d.u16le(0) != kDosMagic || !lfanew || d.u32le(*lfanew) != kPeSignature)
        return false;
    const quint64 coff = quint64(*lfanew) + 4;
    const auto sectionCount = d.u16le(coff + 2);
    const auto optionalSize = d.u16le(coff + 16);
    const quint64 optional = coff + 20;
    const auto magic = d.u16le(optional);
    if (!sectionCount || !optionalSize || !magic ||
        (*magic != kMagicPe32 && *magic != kMagicPe32Plus))
        return false;
    m_isPe = true;
    m_is64 = *magic == kMagicPe32Plus;
    m_sizeOfHeaders = d.u32le(optional + 60).value_or(0);
    readSections(optional + *optionalSize, *sectionCount);

    m_exportRva = directoryRva(optional, *optionalSize, kExportDirectoryIndex);
    const quint32 rva = directoryRva(optional, *optionalSize, kResourceDirectoryIndex);
    if (rva == 0)
        return true;
    const auto root = mapRva(rva);
    if (!root)
        return true;
    Walk walk;
    walk.offset = root->first;
    walk.limit = root->second;
    readDirectory(walk, 0, 0, PeResource());
    return true;
}

// A data directory entry counts only when the header declares it and it lies
// inside the optional header.
quint32 PeFile::directoryRva(quint64 optional, quint16 optionalSize, int index) const
{
    const quint64 countAt = optional + (m_is64 ? 108 : 92);
    const quint64 entryAt = countAt + 4 + quint64(index) * 8;
    const auto declared = m_data.u32le(countAt);
    const auto rva = m_data.u32le(entryAt);
    if (!declared || *declared <= quint32(index) || entryAt + 8 > optional + optionalSize || !rva)
        return 0;
    return *rva;
}

bool PeFile::readSections(quint64 tableOffset, quint16 count)
{
    if (tableOffset > m_data.size())
        return false;
    // A table cut short by the end of the file keeps the sections it has.
    const quint64 fits = (m_data.size() - tableOffset) / kSectionHeaderSize;
    const quint64 usable = std::min<quint64>(count, fits);
    for (quint64 i = 0; i < usable; ++i) {
        const quint64 at = tableOffset + i * kSectionHeaderSize;
        Section s;
        s.virtualAddress = *m_data.u32le(at + 12);
        s.rawSize = *m_data.u32le(at + 16);
        s.rawOffset = *m_data.u32le(at + 20);
        m_sections.append(s);
    }
    return usable == count;
}

std::optional<std::pair<quint64, quint64>> PeFile::mapRva(quint32 rva) const
{
    for (const Section& s : m_sections) {
        if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize)
            continue;
        // A section may claim more raw bytes than the file holds: only the
        // part inside the file is readable.
        const quint64 offset = quint64(s.rawOffset) + (rva - s.virtualAddress);
        const quint64 end = std::min<quint64>(quint64(s.rawOffset) + s.rawSize, m_size);
        if (offset >= end)
            return std::nullopt;
        return std::make_pair(offset, end - offset);
    }
    const quint64 headersEnd = std::min<quint64>(m_sizeOfHeaders, m_size);
    if (rva < headersEnd)
        return std::make_pair(quint64(rva), headersEnd - rva);
    return std::nullopt;
}

void PeFile::readDirectory(Walk& walk, quint64 offset, int level, const PeResource& path)
{
    if (walk.visited.contains(offset))
        return;
    walk.visited.insert(offset);
    need(walk, offset + kDirectoryHeaderSize);
    const auto named = walk.tree.u16le(offset + 12);
    const auto ids = walk.tree.u16le(offset + 14);
    if (!named || !ids)
        return;
    // Counts may claim far more entries than the tree holds; the loop ends at
    // the first entry outside it.
    const quint64 total = quint64(*named) + *ids;
    for (quint64 i = 0; i < total; ++i) {
        const quint64 entry = offset + kDirectoryHeaderSize + i * kDirectoryEntrySize;
        need(walk, entry + kDirectoryEntrySize);
        const auto nameField = walk.tree.u32le(entry);
        const auto dataField = walk.tree.u32le(entry + 4);
        if (!nameField || !dataField || ++walk.entriesRead > kMaxEntriesRead ||
            m_resources.size() >= kMaxResources)
            return;
        const auto key = readKey(walk, *nameField);
        if (!key || (level == 2 && key->isName()))
            continue;
        PeResource next = path;
        if (level == 0)
            next.type = *key;
        else if (level == 1)
            next.name = *key;
        else
            next.language = key->id;
        const bool isDirectory = (*dataField & kHighBit) != 0;
        // Types and names lead to directories, languages to data; anything
        // else (a fourth level, data on the first two) is damage and skipped.
        if (level < 2 && isDirectory)
            readDirectory(walk, *dataField & ~kHighBit, level + 1, next);
        else if (level == 2 && !isDirectory)
            addLeaf(walk, *dataField, next);
    }
}

std::optional<PeResourceKey> PeFile::readKey(Walk& walk, quint32 field) const
{
    PeResourceKey key;
    if ((field & kHighBit) == 0) {
        key.id = quint16(field & 0xFFFF);
        return key;
    }
    const quint64 at = field & ~kHighBit;
    need(walk, at + 2);
    const auto length = walk.tree.u16le(at);
    if (!length)
        return std::nullopt;
    need(walk, at + 2 + quint64(*length) * 2);
    const auto chars = walk.tree.view(at + 2, quint64(*length) * 2);
    if (!chars)
        return std::nullopt;
    const ByteReader text(*chars);
    key.name = QStringLiteral(""); // an empty name is still a name
    key.name.reserve(*length);
    for (quint16 i = 0; i < *length; ++i)
        key.name.append(QChar(*text.u16le(quint64(i) * 2)));
    return key;
}

void PeFile::addLeaf(Walk& walk, quint64 offset, PeResource leaf)
{
    need(walk, offset + 12);
    const auto rva = walk.tree.u32le(offset);
    const auto size = walk.tree.u32le(offset + 4);
    const auto codePage = walk.tree.u32le(offset + 8);
    if (!rva || !size || !codePage)
        return;
    const auto mapped = mapRva(*rva);
    if (!mapped || *size > mapped->second)
        return;
    leaf.offset = mapped->first;
    leaf.size = *size;
    leaf.codePage = *codePage;
    m_resources.append(leaf);
}

QList<PeResource> PeFile::resourcesOfType(quint16 type) const
{
    QList<PeResource> found;
    for (const PeResource& r : m_resources) {
        if (!r.type.isName() && r.type.id == type)
            found.append(r);
    }
    return found;
}

std::optional<PeResource> PeFile::find(quint16 type, quint16 id,
                                       std::optional<quint16> language) const
{
    const PeResource* first = nullptr;
    const PeResource* neutral = nullptr;
    for (const PeResource& r : m_resources) {
        if (r.type.isName() || r.type.id != type || r.name.isName() || r.name.id != id)
            continue;
        if (language && r.language == *language)
            return r;
        if (!first)
            first = &r;
        if (!neutral && r.language == 0)
            neutral = &r;
    }
    if (neutral)
        return *neutral;
    if (first)
        return *first;
    return std::nullopt;
}

QByteArray PeFile::data(const PeResource& resource) const
{
    if (resource.size > kMaxResourceRead)
        return {};
    return readRange(resource.offset, resource.size).value_or(QByteArray());
}

void PeFile::need(Walk& walk, quint64 end) const
{
    const quint64 loaded = quint64(walk.bytes.size());
    if (end <= loaded || loaded >= walk.limit)
        return;
    const quint64 target = std::min(walk.limit, std::max({end, loaded * 2, kTreeStep}));
    const std::optional<QByteArray> more = readRange(walk.offset + loaded, target - loaded);
    if (!more) {
        walk.limit = loaded; // the file shrank: what is not read is not there
        return;
    }
    walk.bytes += *more;
    walk.tree = ByteReader(walk.bytes);
}

QStringList PeFile::exportNames() const
{
    QStringList names;
    const auto directory = m_exportRva ? mapRva(m_exportRva) : std::nullopt;
    if (!directory || directory->second < kExportDirectorySize)
        return names;
    const std::optional<QByteArray> head = readRange(directory->first, kExportDirectorySize);
    if (!head)
        return names;
    const ByteReader fields(*head);
    const quint32 count = std::min(fields.u32le(24).value_or(0), kMaxExportNames);
    const quint32 tableRva = fields.u32le(32).value_or(0);
    const auto table = tableRva ? mapRva(tableRva) : std::nullopt;
    if (count == 0 || !table)
        return names;
    // Only the part of the table that lies inside its section is read.
    const quint64 entries = std::min<quint64>(count, table->second / 4);
    const std::optional<QByteArray> rvas = readRange(table->first, entries * 4);
    if (!rvas)
        return names;
    const ByteReader list(*rvas);
    for (quint64 i = 0; i < entries; ++i) {
        if (const auto name = exportName(list.u32le(i * 4).value_or(0)))
            names.append(*name);
    }
    return names;
}

// A name runs to its NUL, which must lie in the same mapped range.
std::optional<QString> PeFile::exportName(quint32 rva) const
{
    const auto place = rva ? mapRva(rva) : std::nullopt;
    if (!place)
        return std::nullopt;
    const std::optional<QByteArray> bytes =
        readRange(place->first, std::min(place->second, kMaxExportNameLength));
    if (!bytes)
        return std::nullopt;
    const qsizetype end = bytes->indexOf('\0');
    if (end < 0)
        return std::nullopt;
    return QString::fromLatin1(bytes->constData(), end);
}
