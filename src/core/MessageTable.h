// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's numbered German messages (101 to 161).
namespace MessageTable {
constexpr int First = 101;
constexpr int Last = 161;
// The text of message `number`, or a null QString when the table has none.
QString text(int number);
} // namespace MessageTable
