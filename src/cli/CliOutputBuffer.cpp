// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOutputBuffer.h"

#include <cstdio>

namespace {
constexpr qsizetype kFlushAt = 64 * 1024;
}

CliOutputBuffer::CliOutputBuffer()
{
    m_bytes.reserve(kFlushAt + 1024);
}

CliOutputBuffer::~CliOutputBuffer()
{
    Flush();
}

void CliOutputBuffer::Written()
{
    if (m_bytes.size() >= kFlushAt)
        Flush();
}

void CliOutputBuffer::Flush()
{
    std::fwrite(m_bytes.constData(), 1, size_t(m_bytes.size()), stdout);
    m_bytes.resize(0); // keeps the room for the next piece
}
