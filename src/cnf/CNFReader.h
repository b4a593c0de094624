// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFKeyLine.h"
#include "cnf/CNFTextPool.h"

#include <QString>
#include <QStringList>

#include <functional>

class CNFLineSource;
class CNFSection;
class CNFSections;
class cuAppError;

// Turns the lines of a document into its header and sections: the header
// is every line before the first [section] line; after it, each line is a
// section line, a comment, or a key.
class CNFReader {
public:
    struct Setup {
        CNFKeyLine::Options keys; // keys.commentChar also marks comment lines
        QString fileName;         // for the messages
        std::function<void(const QString&, qint32)> status;
        std::function<void()> pump;
        const bool* cancel = nullptr;
    };

    CNFReader(const Setup& setup, const cuAppError& err) : m_setup(setup), m_err(err) {}

    // Fills `sections` and returns the header. Raises NoSections when the
    // text has no section line and Cancelled when a cancel request is seen.
    QString Read(CNFLineSource& lines, CNFSections& sections);

private:
    // False when no section line follows the header.
    bool ParseHeader(CNFLineSource& lines, QString& header, QStringView& sectionLine);
    void ArraySections(CNFLineSource& lines, QStringView line, CNFSections& sections);
    void AddKey(CNFLineSource& lines, QStringView line, CNFSection& section);
    // Names and values longer than this take the decoded line instead of a copy.
    static constexpr qsizetype kTakeFrom = 4096;
    const QString& CounterName(qint32 n);

    static bool IsSectionLine(QStringView trimmed);

    const Setup& m_setup;
    const cuAppError& m_err;
    qsizetype m_index = 0; // of the current line, counted from 0
    qint32 m_counter = 1;  // the next automatic key name
    QStringList m_counterNames;
    CNFTextPool m_names;
    CNFTextPool m_values{24};
};
