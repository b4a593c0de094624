// SPDX-License-Identifier: GPL-3.0-or-later
// The preview decoder and the file box pattern matcher on arbitrary bytes:
// the first byte picks the cut flag, the rest is split at the first NUL into
// a pattern and a file name.
#include "browser/TextPreview.h"
#include "core/FilePattern.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString text = TextPreview::Decode(bytes, (data[0] & 1) != 0);
    (void)text.size();
    const qsizetype split = bytes.indexOf('\0');
    const QString pattern = QString::fromUtf8(split < 0 ? bytes : bytes.left(split));
    const QString name = QString::fromUtf8(split < 0 ? QByteArray() : bytes.mid(split + 1));
    const FilePattern filePattern(pattern);
    (void)filePattern.Matches(name);
    // A name always matches a pattern made of itself.
    if (!name.contains(QLatin1Char(';')) && !name.contains(QLatin1Char('*')) &&
        !name.contains(QLatin1Char('?')) && !name.trimmed().isEmpty() && name.trimmed() == name &&
        !FilePattern(name).Matches(name))
        __builtin_trap();
    return 0;
}
