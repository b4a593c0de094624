// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "regview/RegFileHead.h"
#include "regview/RegValueRow.h"

#include <QStringList>

#include <vector>

// Turns the lines below a key into its values: @ or a quoted name, "=",
// then "text", dword:, hex:, hex(n): (continued on the next line after a
// closing "\"), - for a deleted value, and in Wine files str(n):"text".
// Lines beginning with ";" are comments, and in Wine files lines beginning
// with "#" (time stamps, classes, links) are no values. Any other line is
// a row of its own, "fehlerhaft", holding the line as written.
class RegValueReader {
public:
    explicit RegValueReader(RegDialect dialect) : m_dialect(dialect) {}

    // `lines` are the lines as written, trimmed of blanks; calls `line(i)`
    // for i in [0, count).
    template <typename Lines> std::vector<RegValueRow> Read(qsizetype count, Lines line) const
    {
        std::vector<RegValueRow> rows;
        for (qsizetype i = 0; i < count;) {
            const QString first = line(i++);
            if (IsNoValue(first))
                continue;
            // The lines that continue this one.
            QStringList more;
            if (first.endsWith(QLatin1Char('\\')) && IsHex(first)) {
                while (i < count && (more.isEmpty() ? QStringView(first) : QStringView(more.back()))
                                        .endsWith(QLatin1Char('\\'))) {
                    QString next = line(i);
                    if (!IsContinuation(next))
                        break;
                    more.append(std::move(next));
                    ++i;
                }
            }
            rows.push_back(ReadValue(first, more));
        }
        return rows;
    }

    // One value from its first line and the lines that continue it.
    RegValueRow ReadValue(const QString& first, const QStringList& more) const;

private:
    bool IsNoValue(QStringView line) const;
    bool IsContinuation(QStringView line) const;
    // The line's data is hex: or hex(n):, which may go on in the next line.
    bool IsHex(QStringView line) const;
    // Past the name, "=" and blanks; false when the line has no such start.
    bool ReadStart(QStringView line, qsizetype& pos, QString& name) const;
    bool ReadName(QStringView line, qsizetype& pos, QString& name) const;
    bool ReadQuoted(QStringView text, qsizetype& pos, QString& out) const;
    bool ReadData(QStringView data, const QStringList& more, RegValueRow& row) const;
    bool ReadHex(QStringView data, const QStringList& more, RegValueRow& row) const;
    bool ReadWineString(QStringView data, RegValueRow& row) const;
    void SetTyped(quint32 type, RegValueRow& row) const;
    void SetText(quint32 type, const QString& text, RegValueRow& row) const;

    RegDialect m_dialect;
};
