// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a rename journal and as escaped names. A journal that
// parses must serialise to text that parses to the same plan; every name
// must survive escaping and unescaping exactly, and an escaped name holds no
// TAB, LF or CR (it is one field of one line).
#include "rename/NameEscape.h"
#include "rename/RenameJournal.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray escaped = EscapeName(bytes);
    if (UnescapeName(escaped) != bytes || escaped.contains('\t') || escaped.contains('\n') ||
        escaped.contains('\r'))
        std::abort();
    RenameJournal journal;
    if (!RenameJournal::Parse(bytes, journal))
        return 0;
    RenameJournal again;
    if (!RenameJournal::Parse(journal.Serialize(), again) ||
        again.Serialize() != journal.Serialize())
        std::abort();
    return 0;
}
