// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppErrorRecord.h"
#include "core/LibError.h"
#include "core/cuAppError.h"

#include <QCoreApplication>

#include "support/Raised.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {
constexpr qint32 libNumber(qint32 n)
{
    return 1024 + cuAppError::ErrorBase + n;
}
} // namespace

TEST(LibMessage, TableAndPlaceholders)
{
    EXPECT_EQ(LibMessage(6, 2), u("WinExecute-Fehler Nr. 2.\r\nDatei kann nicht geöffnet werden."));
    EXPECT_EQ(LibMessage(5, u("/tmp/x")),
              u("Aktuelle Speicherauslastung wurden in folgende Datei geschrieben:\r\n/tmp/x"));
    EXPECT_EQ(LibMessage(8), u("Fehler in API-Funktion '##'."));
    // Each value fills the next placeholder on its own, also without the first.
    EXPECT_EQ(LibMessage(8, QVariant(), u("statx")), u("Fehler in API-Funktion 'statx'."));
    for (qint32 unknown : {0, 12, -1, 99})
        EXPECT_EQ(LibMessage(unknown), u("Unbekannter Fehler.")) << unknown;
    for (qint32 n = 1; n <= 11; ++n)
        EXPECT_NE(LibMessage(n), u("Unbekannter Fehler.")) << n;
}

TEST(RaiseLibError, OwnErrorsLieAboveTheApplicationBase)
{
    const QString exe = QCoreApplication::applicationName();
    AppErrorRecord e = Raised([] { RaiseLibError(-6, {}, u("ShellOpen"), {}, 2); });
    EXPECT_EQ(e.Number, libNumber(6));
    EXPECT_EQ(e.Source, exe + u(": ShellOpen"));
    EXPECT_EQ(e.Description, LibMessage(6, 2));

    e = Raised([] { RaiseLibError(-3, u("mQXLib"), u("GetScrollbarSize")); });
    EXPECT_EQ(e.Number, libNumber(3));
    EXPECT_EQ(e.Source, u("mQXLib: GetScrollbarSize"));

    e = Raised([] { RaiseLibError(-7, u("Quelle"), {}, u("Eigener Text")); });
    EXPECT_EQ(e.Source, u("Quelle"));
    EXPECT_EQ(e.Description, u("Eigener Text"));

    // Nothing caught: a positive number is the library error itself.
    e = Raised([] { RaiseLibError(9, {}, {}); });
    EXPECT_EQ(e.Number, libNumber(9));
    EXPECT_EQ(e.Description, LibMessage(9));
}

TEST(RaiseLibError, PassesOnTheErrorJustCaught)
{
    const QString exe = QCoreApplication::applicationName();
    const AppErrorRecord e = Raised([] {
        try {
            throw AppErrorRecord(53, u("Leser"), u("Datei nicht gefunden."));
        } catch (...) {
            RaiseLibError(0, {}, u("Lesen"));
        }
    });
    EXPECT_EQ(e.Number, libNumber(53));
    EXPECT_EQ(e.Source, exe + u("/Leser: Lesen"));
    EXPECT_EQ(e.Description, u("Datei nicht gefunden."));

    // A caught error that is itself in the application range stays representable.
    const AppErrorRecord big = Raised([] {
        try {
            throw AppErrorRecord(cuAppError::ErrorBase - 3, u("CNFFile"), u("x"));
        } catch (...) {
            RaiseLibError(0, u("Ich"), {});
        }
    });
    EXPECT_EQ(big.Number, 1024 + 3);
    EXPECT_EQ(big.Source, u("Ich"));
}
