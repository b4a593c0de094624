// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Standard output in pieces of 64 KiB: a large folder gives a line per file,
// and a write per line would cost more than the work behind it. Whatever is
// left goes out when the buffer ends; failures show at cliOutputChecked.
class CliOutputBuffer {
public:
    CliOutputBuffer();
    ~CliOutputBuffer();
    CliOutputBuffer(const CliOutputBuffer&) = delete;
    CliOutputBuffer& operator=(const CliOutputBuffer&) = delete;

    // The bytes to append to; call Written() after each record.
    QByteArray& Bytes() { return m_bytes; }
    void Written();
    void Flush();

private:
    QByteArray m_bytes;
};
