// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFKeyLine.h"
#include "cnf/CNFRawText.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// A key line the reader left in the document's text: it becomes a key when
// its section's keys are first looked at.
struct CNFPendingLine {
    const void* data = nullptr; // the line, trimmed of blanks
    qint32 size = 0;            // in units of the document's encoding
    quint32 hash = 0;           // of the key's name (CNFNameIndex::Hash); 0 for whole lines
};

// The text a document's undecoded names, values and pending key lines point
// into, and how those lines are split. A document keeps it as long as its
// sections; the pieces stay valid while it lives.
class CNFTextStore {
public:
    std::vector<QByteArray> bytes; // 8-bit chunks of the file
    QString text;                  // decoded UTF-16 text
    CNFEncoding encoding = CNFEncoding::Utf8;
    CNFKeyLine::Options keys;
    std::optional<CNFKeyLine::ByteOptions> byteKeys; // 8-bit lines are split as bytes
    bool wholeKeyLines = false;

    qint64 Add(const CNFPendingLine& line);
    qint64 Size() const { return m_count; }
    const CNFPendingLine& At(qint64 position) const
    {
        return m_blocks[size_t(position >> kBlockBits)][position & (kBlock - 1)];
    }
    // The line as text (decoded for 8-bit text).
    QString Text(const CNFPendingLine& line) const
    {
        return CNFRawText{line.data, line.size, encoding}.Decode();
    }

private:
    // Blocks, not one growing array: a million lines are never copied.
    static constexpr int kBlockBits = 14;
    static constexpr qint64 kBlock = qint64(1) << kBlockBits;
    std::vector<std::unique_ptr<CNFPendingLine[]>> m_blocks;
    qint64 m_count = 0;
};
