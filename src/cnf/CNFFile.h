// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFSections.h"
#include "core/cuAppError.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// A CNF document: an optional free-text header, then [sections] of
// name=value keys. Reads files and buffers into the section model, writes
// the model back, and seals the file with a password when CrypPassword is
// set.
//
// In the model, line breaks inside the header and inside values are "\n";
// the written form separates lines with CR LF and writes line breaks inside
// values as CarriageReturnChar. Files are written as UTF-8.
//
// Failures are raised as error records; the document's own ones carry the
// numbers of CNFMessages (cuAppError::ErrorBase - n) with the source
// "CNFFile" and the procedure.
class CNFFile : public QObject {
    Q_OBJECT

public:
    explicit CNFFile(QObject* parent = nullptr);
    ~CNFFile() override;

    // Larger files are refused rather than read into memory.
    static constexpr quint64 MaxFileSize = quint64(1) << 30;

    QString CarriageReturnChar = QStringLiteral("||"); // stands for a line break in a value
    QString CommentChar = QStringLiteral(";");         // starts a comment line
    QString CrypPassword;                              // non-empty: the file is sealed with it
    bool OnSaveInsertCR = false;    // FileWrite puts an empty line before each section
    bool RemoveComments = true;     // cut values at CommentChar
    bool RemoveTrailingTabs = true; // drop tabs at the end of values
    QString Filename;
    QString Header;       // the lines before the first section
    bool Unicode = false; // read mark-less files as UTF-16LE
    // Read every key line whole, as the value of an automatic name ("001",
    // "002" ... per section): no split at "=", no comment cut, no tab or
    // CarriageReturnChar handling. A section name then runs to the last "]"
    // of its line, and a section named again continues the earlier one.
    // For files whose lines are not name=value pairs, such as registry
    // exports, whose value names may hold "=" and "]".
    bool WholeKeyLines = false;

    // Sections or keys were added, removed or changed since the last read
    // or write.
    bool Dirty() const;
    // Created empty on first use; every read replaces it.
    CNFSections& Sections();

    // Reads the file (`fileName` becomes Filename when given) and returns the
    // new sections. A failed read leaves the partly filled sections in place.
    CNFSections& FileRead(const QString& fileName = {});
    // The same for the bytes of a file held in memory.
    CNFSections& BufferRead(const QByteArray& bytes);
    // The same for text already decoded. With a password the text holds the
    // sealed form, one character per byte.
    CNFSections& BufferRead(const QString& text);
    // Asks a running read to stop at its next chance (every 100 lines).
    void FileReadCancel() { m_cancel = true; }

    // Writes the document to Filename through the program's safe writer: the
    // file is replaced as a whole or left as it was. Sealing refuses a
    // password longer than CNFSeal::MaxPasswordBytes. Returns true when
    // written.
    bool FileWrite();
    // The written form without blank lines and without sealing.
    QString GetText() const;

    // Called every 100 lines of a read so that the caller's window can
    // repaint and notice a cancel request. By default it processes the
    // pending events of the application, when there is one.
    void SetEventPump(std::function<void()> pump) { m_pump = std::move(pump); }

Q_SIGNALS:
    // Progress of a read: what is happening and how far, 0 to 100. The
    // reading phase reports each change of the percentage. Handlers (and the
    // event pump) may call FileReadCancel; they must neither change the model
    // nor start another read of this document while the read runs.
    void Status(const QString& text, qint32 percent);

private:
    CNFSections& X_FileRead(std::vector<QByteArray> chunks);
    CNFSections& Parse(class CNFLineSource& lines);
    void FilePut(const QString& path, const QByteArray& bytes) const;
    QString Text(bool blankLines) const;
    void ClearDirty();

    cuAppError m_err;
    std::unique_ptr<CNFSections> m_sections;
    std::function<void()> m_pump;
    bool m_cancel = false;
    bool m_reading = false;
};
