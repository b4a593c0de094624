// SPDX-License-Identifier: GPL-3.0-or-later
// Reads fuzzed bytes as a CNF document, plain or sealed, and writes the model
// back out, so the writer sees whatever the reader let through. The first
// byte picks the reader's options. Plain 8-bit text is read a second time
// as decoded text: the reader that splits bytes must make the model the
// reader of text makes.
#include "cnf/CNFFile.h"
#include "cnf/CNFSeal.h"
#include "core/AnsiText.h"
#include "core/AppErrorRecord.h"

#include <cstdint>
#include <cstdlib>
#include <functional>

namespace {
const QByteArray kPassword("Fu\xC3\x9F"
                           "z 1");

// The model as text, or the number of the failure.
QStringList model(CNFFile& doc, const std::function<void()>& read)
{
    try {
        read();
    } catch (const AppErrorRecord& e) {
        return {QString::number(e.Number)};
    }
    QStringList lines{doc.Header};
    for (const CNFSection& section : doc.Sections()) {
        lines.append(QLatin1Char('[') + section.Name());
        for (const CNFKey& key : section.Keys())
            lines.append(key.Name() + QLatin1Char('=') + key.Value());
    }
    return lines;
}

void setOptions(CNFFile& doc, quint8 mode)
{
    doc.SetEventPump({});
    doc.Unicode = mode & 1;
    doc.RemoveComments = mode & 2;
    doc.RemoveTrailingTabs = mode & 4;
    if (mode & 8)
        doc.CommentChar.clear();
    if (mode & 16)
        doc.CarriageReturnChar = QStringLiteral("<br>");
    // 64 seals a document read with a password (32); without one it keeps
    // the key lines whole.
    doc.WholeKeyLines = (mode & (32 | 64)) == 64;
}

void compareReaders(quint8 mode, const QByteArray& bytes)
{
    if ((mode & (1 | 32 | 128)) || bytes.startsWith("\xEF\xBB\xBF") ||
        bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return;
    CNFFile fromBytes;
    setOptions(fromBytes, mode);
    CNFFile fromText;
    setOptions(fromText, mode);
    if (model(fromBytes, [&] { fromBytes.BufferRead(bytes); }) !=
        model(fromText, [&] { fromText.BufferRead(decodeAnsi(bytes)); }))
        std::abort();
}

void walk(const CNFSections& sections)
{
    qsizetype total = 0;
    for (const CNFSection& section : sections) {
        total += section.Name().size();
        for (const CNFKey& key : section.Keys())
            total += key.Name().size() + key.Value().size();
    }
    if (total < 0)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const quint8 mode = data[0];
    QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    CNFFile doc;
    setOptions(doc, mode);
    if (mode & 32) {
        doc.CrypPassword = QString::fromUtf8(kPassword);
        if (mode & 64) {
            const QByteArray plain = bytes;
            bytes = CNFSeal::Seal(plain, kPassword);
            QByteArray opened;
            if (CNFSeal::Open(bytes, kPassword, opened) != CNFSeal::OpenResult::Opened ||
                opened != plain)
                std::abort();
        }
    }
    try {
        if (mode & 128)
            doc.BufferRead(QString::fromUtf8(bytes));
        else
            doc.BufferRead(bytes);
    } catch (const AppErrorRecord&) {
        // a refused document; what was read so far is still written below
    }
    walk(doc.Sections());
    const QString text = doc.GetText();
    if (text.size() < doc.Header.size())
        std::abort();
    compareReaders(mode, bytes);
    return 0;
}
