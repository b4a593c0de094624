// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// One rename rule as the batch rename window puts it together: what happens
// to the name part (one mode), numbering and the extension. Calc turns an
// old file name into the new one.
//
// Names are worked on as code points (an emoji is one character), letters
// compared by simple case folding, no normalisation. Positions count from 1
// and refer to the base, the name without its last "." and extension.
struct RenameRule {
    enum class Mode { Off, Replace, Parts, Insert, Special };
    enum class Count { All, First };
    enum class Parts { Whole, Before, After };
    enum class Side { Before, After };

    Mode mode = Mode::Off;

    // Replace: `find` by `replace` from `start` on (nothing without a start).
    QString find;
    QString replace;
    std::optional<qint64> start;
    Count count = Count::All;

    // Parts: the whole base, or what lies before / after `partsPos`.
    QString text;
    Parts parts = Parts::Whole;
    std::optional<qint64> partsPos;

    // Insert: `insert` before or after `insertPos`, counted from the right
    // end when `reverse` is set.
    QString insert;
    std::optional<qint64> insertPos;
    Side side = Side::Before;
    bool reverse = false;

    // Special: the window's "Zahl extrahieren"; the mode itself always extracts.
    bool extractNumber = false;

    bool numbering = false;
    std::optional<int> places; // minimum digits; empty while numbering cannot be used
    bool numberAtStart = false;

    bool changeExtension = false;
    QString extension; // empty keeps the old one

    // The new name for `oldName`; an empty name gives an empty result. Each
    // number used advances `counter`. A position outside the base raises
    // message 120, numbering without places message 134.
    QString Calc(const QString& oldName, qint64& counter) const;

    // True when the rule changes anything at all (the window's OK button).
    bool HasAction() const;
    // True when every file would get the same name (message 117).
    bool GivesOneName() const;

    // A position or number field: empty gives none; digits only, a value too
    // large for the counter is held at its largest.
    static std::optional<qint64> ParseNumber(const QString& digits);
};
