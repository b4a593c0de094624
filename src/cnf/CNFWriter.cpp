// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFWriter.h"

#include "cnf/CNFSections.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QString CNFWriter::SectionLine(const QString& name)
{
    // Only a name in brackets at both ends goes out as it is: "[a" written
    // bare would read back as a key line and lose the section.
    if (name.startsWith(u'[') && name.endsWith(u']') && name.size() > 1)
        return name;
    return QLatin1Char('[') + name + QLatin1Char(']');
}

void CNFWriter::AppendValue(QString& out, const QString& value, const QString& lineBreak)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        out += QStringView(value).sliced(from, i - from);
        out += lineBreak;
        if (c == u'\r' && i + 1 < value.size() && value.at(i + 1) == u'\n')
            ++i;
        from = i + 1;
    }
    out += QStringView(value).sliced(from);
}

QString CNFWriter::Text(const QString& header, const CNFSections* sections, const Setup& setup)
{
    const QString& lineBreak = setup.carriageReturn.isEmpty() ? kCrLf : setup.carriageReturn;
    QString out;
    AppendValue(out, header, kCrLf);
    if (!sections || sections->Count() == 0)
        return out;
    if (!header.isEmpty()) {
        out += kCrLf;
        if (setup.blankLines)
            out += kCrLf;
    }
    bool first = true;
    for (const CNFSection& section : *sections) {
        if (!first) {
            out += kCrLf;
            if (setup.blankLines)
                out += kCrLf;
        }
        first = false;
        out += SectionLine(section.Name());
        for (const CNFKey& key : section.Keys()) {
            out += kCrLf;
            out += key.Name();
            out += u'=';
            AppendValue(out, key.Value(), lineBreak);
        }
    }
    return out;
}
