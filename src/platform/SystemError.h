// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The German text for a system error number (errno), for messages that name
// why a file could not be read or written. The system's own strings follow
// the user's locale and are often English; they never reach a message.
QString SystemErrorText(int code);
