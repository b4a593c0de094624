// SPDX-License-Identifier: GPL-3.0-or-later
// File names as the folder comparison meets them: any bytes. Each name is
// printed the way `tolvane-cli compare` prints it (which must be clean UTF-8
// without control characters and must give back the exact bytes), and two
// lists of them are paired under each letter-case rule, whose result must
// hold together.
#include "cli/CompareCommand.h"
#include "dircomp/DirCompPairing.h"
#include "platform/FileNameCodec.h"
#include "rename/NameEscape.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
int hexValue(char c)
{
    return c <= '9' ? c - '0' : c - 'a' + 10;
}

QByteArray unescape(const QByteArray& printed)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < printed.size(); ++i) {
        if (printed[i] != '\\') {
            bytes += printed[i];
            continue;
        }
        const char kind = printed.at(++i);
        if (kind == 'x') {
            bytes += char(hexValue(printed.at(i + 1)) * 16 + hexValue(printed.at(i + 2)));
            i += 2;
        } else {
            bytes += kind == 't' ? '\t' : kind == 'n' ? '\n' : kind == 'r' ? '\r' : kind;
        }
    }
    return bytes;
}

void checkPrinted(const QByteArray& name)
{
    const QByteArray printed = EscapeName(name);
    const bool clean = std::none_of(printed.begin(), printed.end(),
                                    [](char c) { return quint8(c) < 0x20 || quint8(c) == 0x7F; });
    if (!clean || !IsUtf8FileName(printed) || unescape(printed) != name)
        std::abort();
}

DirCompItems items(const QList<QByteArray>& names, const uint8_t* data, size_t size)
{
    DirCompItems list;
    for (const QByteArray& name : names) {
        DirCompItem item;
        item.name = name;
        const uint8_t b = size ? data[qsizetype(list.size()) % qsizetype(size)] : 0;
        item.stat.mtimeSec = b % 4;
        item.stat.size = b / 64;
        list.push_back(item);
    }
    std::sort(list.begin(), list.end(),
              [](const DirCompItem& a, const DirCompItem& b) { return a.name < b.name; });
    list.erase(
        std::unique(list.begin(), list.end(),
                    [](const DirCompItem& a, const DirCompItem& b) { return a.name == b.name; }),
        list.end());
    return list;
}

void checkPairs(const DirCompItems& source, const DirCompItems& dest)
{
    for (const DirCompItem& s : source) {
        if (s.cls == DirCompClass::Extra || (s.partner >= 0 && s.conflict))
            std::abort();
        if (s.partner >= 0 &&
            (dest.at(s.partner).partner < 0 || &source.at(dest.at(s.partner).partner) != &s ||
             s.cls != SourceClass(s.stat, dest.at(s.partner).stat)))
            std::abort();
        if (s.partner < 0 && s.cls != DirCompClass::Differs)
            std::abort();
    }
    for (const DirCompItem& d : dest) {
        const bool extra = d.partner < 0 && !d.conflict;
        if ((d.cls == DirCompClass::Extra) != extra || d.cls == DirCompClass::Differs)
            std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    // A NUL separates the two folders, "/" the names, as no name holds either.
    const qsizetype split = input.indexOf('\0');
    const QList<QByteArray> first = input.left(split < 0 ? input.size() : split).split('/');
    const QList<QByteArray> second =
        split < 0 ? QList<QByteArray>() : input.mid(split + 1).split('/');
    for (const QList<QByteArray>* names : {&first, &second}) {
        for (const QByteArray& name : *names) {
            checkPrinted(name);
            CaseKey(name);
        }
    }
    for (int rule = 0; rule < 4; ++rule) {
        DirCompItems source = items(first, data, size);
        DirCompItems dest = items(second, data + size / 2, size - size / 2);
        PairAndClass(source, dest, {bool(rule & 1), bool(rule & 2)});
        checkPairs(source, dest);
    }
    return 0;
}
