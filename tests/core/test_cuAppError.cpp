// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppErrorRecord.h"
#include "core/LibError.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "support/Raised.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestText.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {
const QString CRLF = u("\r\n");

// Errors of the program's own library lie above the application base.
constexpr qint32 libNumber(qint32 n)
{
    return 1024 + cuAppError::ErrorBase + n;
}
} // namespace

TEST(MsgParseAndLoad, PlaceholdersLineBreaksAndTheTableIgnoringTheSign)
{
    EXPECT_EQ(cuAppError::MsgParse(u("a@@b##c"), u("x")), u("a") + CRLF + u("bxc"));
    EXPECT_EQ(cuAppError::MsgParse(u("'##' nach '##'"), u("a"), u("b")), u("'a' nach 'b'"));
    // arg2 waits for arg1: with arg1 Null nothing is filled.
    EXPECT_EQ(cuAppError::MsgParse(u("'##' nach '##'"), QVariant(), u("b")), u("'##' nach '##'"));
    // The second value fills the first "##" left, even one the first value brought in.
    EXPECT_EQ(cuAppError::MsgParse(u("##/##"), u("##"), u("z")), u("z/##"));
    // "@@" inside a value stays as it is.
    EXPECT_EQ(cuAppError::MsgParse(u("<##>"), u("a@@b")), u("<a@@b>"));
    EXPECT_EQ(cuAppError::MsgParse(QString(), u("x")), QString());
    EXPECT_EQ(cuAppError::MsgParse(u("n=##"), 42), u("n=42"));

    // The table is looked up ignoring the sign; unknown numbers are refused.
    cuAppError err;
    EXPECT_EQ(err.MsgLoad(-Msg::FileGone, u("/x")), u("Die Datei '/x' ist nicht mehr vorhanden."));
    for (int n = MessageTable::First; n <= MessageTable::Last; ++n)
        EXPECT_FALSE(MessageTable::text(n).isEmpty()) << n;
    for (int n : {MessageTable::First - 1, MessageTable::Last + 1})
        EXPECT_EQ(Raised([&] { err.MsgLoad(n); }).Number, RuntimeError::ResourceNotFound) << n;
    err.MsgArray = QStringList{QString(), u("eins")};
    EXPECT_EQ(err.MsgLoad(1), u("eins"));
    EXPECT_EQ(Raised([&] { err.MsgLoad(2); }).Number, RuntimeError::SubscriptOutOfRange);
}

TEST(MsgShow, ShowsTextTitleAndButtonsThroughThePresenter)
{
    ScriptedMessageBox boxes;
    cuAppError err;
    EXPECT_EQ(err.MsgShow(Msg::PathCopied, MsgStyle::Information), 1);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown()[0].text, u("Der Pfad wurde in die Zwischenablage kopiert."));
    EXPECT_EQ(boxes.shown()[0].title, u("Tolvane"));
    EXPECT_EQ(boxes.shown()[0].style, 64);

    // A literal text wins over the number; the final text and title come back.
    cuAppError::MsgShowArgs args;
    args.number = Msg::PathCopied;
    args.text = u("Eigener ## Text");
    args.arg1 = u("kurzer");
    args.buttons = 4 + 32;
    boxes.queueAnswer(7);
    EXPECT_EQ(err.MsgShow(args), 7);
    EXPECT_EQ(boxes.shown().last().style, 4 + 32);
    EXPECT_EQ(args.text, u("Eigener kurzer Text"));
    EXPECT_EQ(args.title, u("Tolvane"));

    // A help context adds the Help button once a help file is known.
    cuAppError::MsgShowArgs help;
    help.number = Msg::NoHelp;
    help.helpContext = 0;
    err.MsgShow(help);
    EXPECT_FALSE(boxes.shown().last().style & MsgStyle::HelpButton);
    cuAppError::SetApplicationHelpFile(u("/usr/share/tolvane/help"));
    err.MsgShow(help);
    cuAppError::SetApplicationHelpFile({});
    EXPECT_TRUE(boxes.shown().last().style & MsgStyle::HelpButton);
    EXPECT_EQ(help.helpFile, u("/usr/share/tolvane/help"));
}

TEST(ErrRaise, OwnMessagesBecomeApplicationNumbers)
{
    cuAppError err;
    err.MsgArray = QStringList{QString(), QString(), QString(), u("Sektion '##' nicht gefunden.")};
    const AppErrorRecord e =
        Raised([&] { err.ErrRaise(-3, u("CNFFile"), u("FileRead"), {}, u("Daten")); });
    EXPECT_EQ(e.Number, -2147221504 - 3);
    EXPECT_EQ(e.Description, u("Sektion 'Daten' nicht gefunden."));
    EXPECT_EQ(e.Source, u("CNFFile: FileRead"));

    err.ErrOffset = 1000;
    EXPECT_EQ(Raised([&] { err.ErrRaise(-3, u("CNFFile"), {}); }).Number, -2147221504 - 3 + 1000);
    // Leaving the 32-bit range is itself a failure.
    err.ErrOffset = -300000;
    EXPECT_EQ(Raised([&] { err.ErrRaise(-3, u("C"), {}); }).Number, RuntimeError::Overflow);
}

TEST(ErrRaise, PassesCaughtErrorsOnWithTheSourceChainAndStoresThemForLater)
{
    cuAppError err;
    const AppErrorRecord e = Raised([&] {
        try {
            try {
                throw AppErrorRecord(53, u("Tolvane"), u("Datei nicht gefunden."), 12);
            } catch (...) {
                err.ErrRaise(0, u("pPatterns"), u("InitPattern"));
            }
        } catch (...) {
            err.ErrRaise(0, u("pHelper"), u("Outer"));
        }
    });
    EXPECT_EQ(e.Number, 53);
    EXPECT_EQ(e.Description, u("Datei nicht gefunden."));
    // The own project's name never appears; the line goes with the first procedure.
    EXPECT_EQ(e.Source, u("pPatterns: InitPattern (12) | pHelper: Outer"));

    // Nothing caught and number 0: no failure.
    EXPECT_NO_THROW(err.ErrRaise(0, u("x"), u("y")));
    EXPECT_EQ(Raised([&] { err.ErrRaise(5, {}, {}); }).Description,
              u("Keine Fehlerbeschreibung verfügbar."));
    // Standard exceptions arrive as run-time errors.
    const AppErrorRecord std = Raised([&] {
        try {
            throw std::runtime_error("kaputt");
        } catch (...) {
            err.ErrRaise(0, u("K"), u("P"));
        }
    });
    EXPECT_EQ(std.Number, RuntimeError::InvalidProcedureCall);
    EXPECT_EQ(std.Source, u("K: P"));

    try {
        throw AppErrorRecord(9, u("Quelle"), u("Beschreibung"), 4);
    } catch (...) {
        err.ErrStore();
    }
    const AppErrorRecord stored = Raised([&] { err.ErrRaiseStored(u("Klasse"), u("Proz")); });
    EXPECT_EQ(stored.Number, 9);
    EXPECT_EQ(stored.Source, u("Quelle | Klasse: Proz (4)"));
    EXPECT_EQ(stored.Description, u("Beschreibung"));
}

TEST(ErrMsg, BoxTextFollowsTheErrorLevel)
{
    ScriptedMessageBox boxes;
    cuAppError err;
    const AppErrorRecord e(-2147221507, u("pPatterns: InitPattern"), u("Kaputt."));
    err.ErrMsg(e, u("frmMain"), u("Form_Load"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown()[0].text,
              u("pPatterns: InitPattern | frmMain: Form_Load") + CRLF + CRLF + u("Kaputt."));
    EXPECT_EQ(boxes.shown()[0].title, u("Tolvane <Fehler Nr. -2147221507>"));
    EXPECT_EQ(boxes.shown()[0].style, 16);

    err.ErrMsg(AppErrorRecord(53, u("tolvane"), u("Fehlt."), 7), QString(), u("Main"));
    EXPECT_EQ(boxes.lastText(), u("Zeile: 7\nMain\n\nFehlt."));
    EXPECT_EQ(boxes.shown().last().title, u("Tolvane <Fehler Nr. 53>"));

    err.ErrLevel = 1;
    err.ErrMsg(e, u("frmMain"), u("Form_Load"));
    EXPECT_EQ(boxes.lastText(), u("Kaputt."));

    err.ErrLevel = 0;
    err.ErrMsg(e, u("frmMain"), u("Form_Load"));
    EXPECT_EQ(boxes.count(), 3);

    err.ErrLevel = 2;
    err.ErrMsg(e, {}, {}, {}, 0);
    EXPECT_EQ(boxes.shown().last().style, 16400);
}

TEST(LibError, MessagesAndRaisedErrorsAboveTheApplicationBaseCaughtOnesPassOn)
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

    const QString exe = QCoreApplication::applicationName();
    AppErrorRecord e = Raised([] { RaiseLibError(-6, {}, u("ShellOpen"), {}, 2); });
    EXPECT_EQ(e.Number, libNumber(6));
    EXPECT_EQ(e.Source, exe + u(": ShellOpen"));
    EXPECT_EQ(e.Description, LibMessage(6, 2));

    e = Raised([] { RaiseLibError(-7, u("Quelle"), {}, u("Eigener Text")); });
    EXPECT_EQ(e.Source, u("Quelle"));
    EXPECT_EQ(e.Description, u("Eigener Text"));

    // Nothing caught: a positive number is the library error itself.
    e = Raised([] { RaiseLibError(9, {}, {}); });
    EXPECT_EQ(e.Number, libNumber(9));
    EXPECT_EQ(e.Description, LibMessage(9));

    // The error just caught is passed on.
    e = Raised([] {
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
