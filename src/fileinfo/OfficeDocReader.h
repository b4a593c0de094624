// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileinfo/DocProperty.h"
#include "platform/ByteReader.h"

// Reads the eleven document properties out of a document held in memory,
// whatever its container says it is: an OLE2 compound file (.doc, .xls, .ppt)
// or a zip package (Office Open XML, OpenDocument). A damaged or unknown file
// gives empty values; nothing here throws for bad data.
class OfficeDocReader {
public:
    static DocPropertyValues read(const ByteReader& data);

private:
    static void readOle(const ByteReader& data, DocPropertyValues& values);
    static void readZip(const ByteReader& data, DocPropertyValues& values);
};
