// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileNameCodec.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A file opened for reading by position, the way every reader of a user's
// file opens it.
//
// Only regular files open. The file is opened without blocking, so a FIFO
// cannot hold the program up before it is refused, and a device (/dev/zero)
// never feeds a reader without end. Reads copy into buffers with pread and
// never map the file: another program that truncates the file while it is
// read makes a read come back short, which the reader sees as damage,
// instead of ending the process with SIGBUS as a touched page of a mapping
// would.
class InputFile {
public:
    // error() values beside errno numbers.
    static constexpr int NotRegular = -1; // fileType() tells what it is
    static constexpr int Shrunk = -2;     // the file ended before the bytes asked for
    static constexpr int TooLarge = -3;   // readAll met more than its cap

    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // False when the file cannot be opened or is not a regular file.
    bool open(const QString& path, ReadAccess access = ReadAccess::Normal);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    // The size when it was opened.
    quint64 size() const { return m_size; }

    // Exactly `length` bytes from `offset`; false when the file ends first or
    // a read fails.
    bool readAt(quint64 offset, char* into, quint64 length);
    std::optional<QByteArray> readAt(quint64 offset, quint64 length);
    // Up to `length` bytes from `offset`: how many were read, 0 at the end;
    // nullopt when the read failed.
    std::optional<qsizetype> readSome(quint64 offset, char* into, quint64 length);
    // Everything from the start to the end as it is now (the file may have
    // grown since it was opened), at most `cap` bytes: nullopt with
    // TooLarge when there is more.
    std::optional<QByteArray> readAll(quint64 cap);

    // For readers that read in their own blocks and meet their cap.
    bool setTooLarge() { return fail(TooLarge); }

    // Why the last call failed: an errno value or one of the values above.
    int error() const { return m_error; }
    // The st_mode of the entry that was refused as NotRegular.
    unsigned fileType() const { return m_type; }
    // The reason in German, for messages that name the file themselves.
    QString errorText() const;

private:
    bool fail(int code);

    int m_fd = -1;
    quint64 m_size = 0;
    int m_error = 0;
    unsigned m_type = 0;
};
