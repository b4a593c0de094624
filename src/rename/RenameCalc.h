// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename/RenameRule.h"

#include <QString>

#include <string>

// A rule made ready for many names: its texts are converted and folded once,
// not for every file of a large folder. Calc gives what RenameRule::Calc
// gives. Names and texts without surrogates (nearly all) are worked on as
// UTF-16 code units, each one a code point there; the rest as code points.
class RenameCalc {
public:
    explicit RenameCalc(const RenameRule& rule);

    QString Calc(const QString& oldName, qint64& counter) const;

    // The rule's texts in one character width.
    template <class Ch> struct Texts {
        std::basic_string<Ch> find;
        std::basic_string<Ch> foldedFind;
        std::basic_string<Ch> replace;
        std::basic_string<Ch> text;
        std::basic_string<Ch> insert;
    };

private:
    // The base after the rule's mode, with `room` to spare for what follows.
    QString Base(QStringView baseText, qsizetype room) const;

    RenameRule m_rule;
    Texts<char16_t> m_units; // only when m_unitsFit
    Texts<char32_t> m_points;
    bool m_unitsFit = false;
};
