// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

// Decodes 8-bit text written under a Windows code page (the numbers Windows
// stores in documents: 1252, 1250, 932, 65001, 1200 ...). Code page 0 and any
// page the host cannot convert read as 1252, the page documents default to.
// Bytes that are not valid in their page become U+FFFD; nothing is dropped
// silently and nothing reads past the given bytes.
QString DecodeCodePage(QByteArrayView bytes, quint16 codePage);
