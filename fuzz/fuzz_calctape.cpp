// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the tape calculator with arbitrary key sequences, pastes, line
// selections and rounding changes, and checks that the tape stays consistent.
#include "calc/pCalcTape.h"

#include <QLocale>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {
void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void checkTape(const pCalcTape& tape)
{
    check(tape.CurrentLine() >= 0 && tape.CurrentLine() <= tape.LineCount());
    check(tape.SelectedLine() >= 0 && tape.SelectedLine() <= tape.LineCount());
    check(tape.Display().size() <= pCalcTape::MaxDisplayLength + 1); // "-0," may grow by one
    check(tape.PendingOperator() >= 0 && tape.PendingOperator() <= 4);
    (void)tape.TapeText();
}

void checkOutcome(const TapeOutcome& outcome)
{
    check((outcome.kind == TapeOutcome::Failed) == outcome.error.has_value());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool once = [] {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        return true;
    }();
    (void)once;

    pCalcTape tape;
    // Both answers to the restart question are taken, in turn.
    bool restart = false;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t key = data[i];
        switch (key % 24) {
        case 10:
            checkOutcome(tape.KeyDecimal());
            break;
        case 11:
            checkOutcome(tape.KeyOperator(1 + (key / 24) % 4));
            break;
        case 12:
            checkOutcome(tape.KeyEqual());
            break;
        case 13:
            checkOutcome(tape.KeyPercent());
            break;
        case 14:
            checkOutcome(tape.KeySign());
            break;
        case 15:
            checkOutcome(tape.KeyBackspace());
            break;
        case 16:
            tape.KeyClear();
            break;
        case 17:
            tape.SetSelectedLine(key / 24);
            break;
        case 18:
            tape.SetRoundingPlaces(int(key / 24) - 2);
            break;
        case 19:
            tape.DeleteSelectedLine();
            break;
        case 20:
            (void)tape.CopySum();
            break;
        case 21: {
            // The next bytes are the clipboard's text.
            const size_t length = qMin<size_t>(key / 24, size - i - 1);
            checkOutcome(tape.Paste(QString::fromLatin1(reinterpret_cast<const char*>(data + i + 1),
                                                        qsizetype(length))));
            i += length;
            break;
        }
        case 22:
            checkOutcome(tape.KeyOperator(4));
            break;
        case 23:
            checkOutcome(tape.KeyOperator(3));
            break;
        default: {
            const TapeOutcome outcome = tape.KeyDigit(key % 24);
            if (outcome.kind == TapeOutcome::RestartQuestion && (restart = !restart))
                tape.RestartWith(key % 24);
            break;
        }
        }
        checkTape(tape);
    }
    return 0;
}
