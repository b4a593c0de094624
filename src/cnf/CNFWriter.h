// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class CNFSections;

// The written form of a document: the header, then each section line with
// its key lines, lines separated by CR LF and no break after the last.
class CNFWriter {
public:
    struct Setup {
        QString carriageReturn;  // stands for line breaks inside values; empty: CR LF
        bool blankLines = false; // an empty line after the header and between sections
    };

    static QString Text(const QString& header, const CNFSections* sections, const Setup& setup);

    // "[name]", or the name as it is when it already is a whole section line.
    static QString SectionLine(const QString& name);

private:
    static void AppendValue(QString& out, const QString& value, const QString& lineBreak);
};
