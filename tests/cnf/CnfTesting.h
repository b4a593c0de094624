// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFFile.h"
#include "cnf/CNFMessages.h"
#include "core/cuAppError.h"
#include "support/Raised.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

// The number a CNF message n reaches the caller with.
constexpr qint32 CnfError(qint32 n)
{
    return cuAppError::ErrorBase - n;
}

inline QByteArray Crlf(const char* lines)
{
    return QByteArray(lines).replace("\n", "\r\n");
}

// "name=value" for each key of the section, in order.
inline QStringList KeyLines(const CNFSection& section)
{
    QStringList lines;
    for (const CNFKey& key : section.Keys())
        lines.append(key.Name() + QLatin1Char('=') + key.Value());
    return lines;
}
