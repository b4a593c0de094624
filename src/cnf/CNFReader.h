// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFKeyLine.h"
#include "cnf/CNFTextPool.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class CNFKeys;
class CNFLineSource;
class CNFSection;
class CNFSections;
class CNFTextStore;
class cuAppError;

// Turns the lines of a document into its header and sections: the header
// is every line before the first [section] line; after it, each line is a
// section line, a comment, or a key.
//
// 8-bit text is read as bytes where the options allow it (see CNFKeyLine),
// and values stay in the text they were read from until they are asked for
// (CNFRawText): a large document then costs little more than its bytes.
class CNFReader {
public:
    struct Setup {
        CNFKeyLine::Options keys; // keys.commentChar also marks comment lines
        // Each key line is kept whole as the value of an automatic name,
        // untouched by `keys`; a section name runs to the last "]" of its
        // line, and a section named again continues the one of that name.
        bool wholeKeyLines = false;
        QString fileName; // for the messages
        std::function<void(const QString&, qint32)> status;
        std::function<void()> pump;
        const bool* cancel = nullptr;
    };

    CNFReader(const Setup& setup, const cuAppError& err) : m_setup(setup), m_err(err) {}

    // Fills `sections` and returns the header. Raises NoSections when the
    // text has no section line and Cancelled when a cancel request is seen.
    QString Read(CNFLineSource& lines, CNFSections& sections);

private:
    // View is QStringView (decoded lines) or QByteArrayView (8-bit bytes).
    template <typename View> QString ReadAs(CNFLineSource& lines, CNFSections& sections);
    // False when no section line follows the header.
    template <typename View>
    bool ParseHeader(CNFLineSource& lines, QString& header, View& sectionLine);
    template <typename View>
    void ArraySections(CNFLineSource& lines, View line, CNFSections& sections);
    template <typename View>
    CNFSection& AddSection(CNFLineSource& lines, View trimmed, CNFSections& sections);
    // A key line left in the text until its section's keys are looked at.
    template <typename View>
    void PendKey(CNFLineSource& lines, View trimmed, CNFKeys& keys, CNFTextStore& store);
    // A key made now.
    template <typename View>
    void AddKey(CNFLineSource& lines, View line, CNFSection& section, CNFTextStore& store);
    template <typename View> CNFKeyLine::Parts<View> ParseKey(View line) const;
    static quint32 NameHash(CNFLineSource& lines, QByteArrayView name);
    static quint32 NameHash(CNFLineSource& lines, QStringView name);
    quint32 CounterHash(qint32 n);
    template <typename View> QString NameText(CNFLineSource& lines, View name);
    template <typename View> QString ValueText(CNFLineSource& lines, View value);
    void Progress();

    // Names and values longer than this take the decoded line instead of a copy.
    static constexpr qsizetype kTakeFrom = 4096;
    const QString& CounterName(qint32 n);

    const Setup& m_setup;
    const cuAppError& m_err;
    std::optional<CNFKeyLine::ByteOptions> m_byteKeys;
    qsizetype m_index = 0; // of the current line, counted from 0
    qsizetype m_last = 0;  // index of the last line
    qint32 m_reported = -1;
    qsizetype m_nextPercent = 0; // the next line whose percentage is worked out
    qint32 m_counter = 1;        // the next automatic key name
    QStringList m_counterNames;
    std::vector<quint32> m_counterHashes;
    CNFTextPool m_names;
    CNFTextPool m_values{24};
};
