// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Message box style values as the program has always used them, and the
// buttons a box answers with. Windows name them when they show a box through
// the error service (core/cuAppError.h); the service that shows boxes is
// platform/MessageBoxService.h.
namespace MsgStyle {
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int DefaultButton2 = 256;
constexpr int HelpButton = 16384;
} // namespace MsgStyle

namespace MsgResult {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MsgResult
