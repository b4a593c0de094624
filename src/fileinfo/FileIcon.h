// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

class FileInfo;

// The icon theme's icon for the entry's type (the record's hIcon); the
// theme's generic file icon for a type it does not know, null for a record
// that found nothing.
QIcon FileIconOf(const FileInfo& info);
