// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFFile.h"
#include "core/AppErrorRecord.h"
#include "core/cuAppError.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// The error record an action raised; a test failure when it raised none.
inline AppErrorRecord Raised(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppErrorRecord& e) {
        return e;
    }
    ADD_FAILURE() << "nothing was raised";
    return AppErrorRecord(0, {}, {});
}

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
