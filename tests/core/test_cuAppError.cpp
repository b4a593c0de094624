// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "support/Raised.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

namespace {
const QString CRLF = QStringLiteral("\r\n");
} // namespace

TEST(MsgParse, PlaceholdersAndLineBreaks)
{
    EXPECT_EQ(cuAppError::MsgParse(QStringLiteral("a@@b##c"), QStringLiteral("x")),
              QStringLiteral("a") + CRLF + QStringLiteral("bxc"));
    EXPECT_EQ(cuAppError::MsgParse(QStringLiteral("'##' nach '##'"), QStringLiteral("a"),
                                   QStringLiteral("b")),
              QStringLiteral("'a' nach 'b'"));
    // arg2 waits for arg1: with arg1 Null nothing is filled.
    EXPECT_EQ(
        cuAppError::MsgParse(QStringLiteral("'##' nach '##'"), QVariant(), QStringLiteral("b")),
        QStringLiteral("'##' nach '##'"));
    // The second value fills the first "##" left, even one the first value brought in.
    EXPECT_EQ(
        cuAppError::MsgParse(QStringLiteral("##/##"), QStringLiteral("##"), QStringLiteral("z")),
        QStringLiteral("z/##"));
    // "@@" inside a value stays as it is.
    EXPECT_EQ(cuAppError::MsgParse(QStringLiteral("<##>"), QStringLiteral("a@@b")),
              QStringLiteral("<a@@b>"));
    EXPECT_EQ(cuAppError::MsgParse(QString(), QStringLiteral("x")), QString());
    EXPECT_EQ(cuAppError::MsgParse(QStringLiteral("n=##"), 42), QStringLiteral("n=42"));
}

TEST(MsgLoad, TableLookupIgnoresSignAndRejectsUnknownNumbers)
{
    cuAppError err;
    EXPECT_EQ(err.MsgLoad(-Msg::FileGone, QStringLiteral("/x")),
              QStringLiteral("Die Datei '/x' ist nicht mehr vorhanden."));
    EXPECT_EQ(
        err.MsgLoad(Msg::LargeFileEditorQuestion, QStringLiteral("a"), QStringLiteral("3 MB")),
        QStringLiteral("Die Datei 'a' hat eine Größe von 3 MB.") + CRLF +
            QStringLiteral("Trotzdem im Editor öffnen?"));
    EXPECT_EQ(err.MsgLoad(Msg::AddMaskTitle), QStringLiteral("Dateimaske hinzufügen"));
    for (int n = MessageTable::First; n <= MessageTable::Last; ++n)
        EXPECT_FALSE(MessageTable::text(n).isEmpty()) << n;
    EXPECT_EQ(Raised([&] { err.MsgLoad(MessageTable::First - 1); }).Number,
              RuntimeError::ResourceNotFound);
    EXPECT_EQ(Raised([&] { err.MsgLoad(MessageTable::Last + 1); }).Number,
              RuntimeError::ResourceNotFound);
    err.MsgArray = QStringList{QString(), QStringLiteral("eins")};
    EXPECT_EQ(err.MsgLoad(1), QStringLiteral("eins"));
    EXPECT_EQ(Raised([&] { err.MsgLoad(2); }).Number, RuntimeError::SubscriptOutOfRange);
}

TEST(MsgShow, ShowsTextTitleAndButtonsThroughThePresenter)
{
    ScriptedMessageBox boxes;
    cuAppError err;
    EXPECT_EQ(err.MsgShow(Msg::PathCopied, MsgStyle::Information), 1);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown()[0].text,
              QStringLiteral("Der Pfad wurde in die Zwischenablage kopiert."));
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Tolvane"));
    EXPECT_EQ(boxes.shown()[0].style, 64);

    // A literal text wins over the number; the final text and title come back.
    cuAppError::MsgShowArgs args;
    args.number = Msg::PathCopied;
    args.text = QStringLiteral("Eigener ## Text");
    args.arg1 = QStringLiteral("kurzer");
    args.buttons = 4 + 32;
    boxes.queueAnswer(7);
    EXPECT_EQ(err.MsgShow(args), 7);
    EXPECT_EQ(args.text, QStringLiteral("Eigener kurzer Text"));
    EXPECT_EQ(args.title, QStringLiteral("Tolvane"));

    // A help context adds the Help button once a help file is known.
    cuAppError::MsgShowArgs help;
    help.number = Msg::NoHelp;
    help.helpContext = 0;
    err.MsgShow(help);
    EXPECT_FALSE(boxes.shown().last().style & MsgStyle::HelpButton);
    cuAppError::SetApplicationHelpFile(QStringLiteral("/usr/share/tolvane/help"));
    err.MsgShow(help);
    cuAppError::SetApplicationHelpFile({});
    EXPECT_TRUE(boxes.shown().last().style & MsgStyle::HelpButton);
    EXPECT_EQ(help.helpFile, QStringLiteral("/usr/share/tolvane/help"));
}

TEST(ErrRaise, OwnMessagesBecomeApplicationNumbers)
{
    cuAppError err;
    err.MsgArray = QStringList{QString(), QString(), QString(),
                               QStringLiteral("Sektion '##' nicht gefunden.")};
    const AppErrorRecord e = Raised([&] {
        err.ErrRaise(-3, QStringLiteral("CNFFile"), QStringLiteral("FileRead"), {},
                     QStringLiteral("Daten"));
    });
    EXPECT_EQ(e.Number, -2147221504 - 3);
    EXPECT_EQ(e.Description, QStringLiteral("Sektion 'Daten' nicht gefunden."));
    EXPECT_EQ(e.Source, QStringLiteral("CNFFile: FileRead"));

    err.ErrOffset = 1000;
    EXPECT_EQ(Raised([&] { err.ErrRaise(-3, QStringLiteral("CNFFile"), {}); }).Number,
              -2147221504 - 3 + 1000);
    // Leaving the 32-bit range is itself a failure.
    err.ErrOffset = -300000;
    EXPECT_EQ(Raised([&] { err.ErrRaise(-3, QStringLiteral("C"), {}); }).Number,
              RuntimeError::Overflow);
}

TEST(ErrRaise, PassesCaughtErrorsOnWithTheSourceChain)
{
    cuAppError err;
    const AppErrorRecord e = Raised([&] {
        try {
            try {
                throw AppErrorRecord(53, QStringLiteral("Tolvane"),
                                     QStringLiteral("Datei nicht gefunden."), 12);
            } catch (...) {
                err.ErrRaise(0, QStringLiteral("pPatterns"), QStringLiteral("InitPattern"));
            }
        } catch (...) {
            err.ErrRaise(0, QStringLiteral("pHelper"), QStringLiteral("Outer"));
        }
    });
    EXPECT_EQ(e.Number, 53);
    EXPECT_EQ(e.Description, QStringLiteral("Datei nicht gefunden."));
    // The own project's name never appears; the line goes with the first procedure.
    EXPECT_EQ(e.Source, QStringLiteral("pPatterns: InitPattern (12) | pHelper: Outer"));

    // Nothing caught and number 0: no failure.
    EXPECT_NO_THROW(err.ErrRaise(0, QStringLiteral("x"), QStringLiteral("y")));
    EXPECT_EQ(Raised([&] { err.ErrRaise(5, {}, {}); }).Description,
              QStringLiteral("Keine Fehlerbeschreibung verfügbar."));
    // Standard exceptions arrive as run-time errors.
    const AppErrorRecord std = Raised([&] {
        try {
            throw std::runtime_error("kaputt");
        } catch (...) {
            err.ErrRaise(0, QStringLiteral("K"), QStringLiteral("P"));
        }
    });
    EXPECT_EQ(std.Number, RuntimeError::InvalidProcedureCall);
    EXPECT_EQ(std.Source, QStringLiteral("K: P"));
}

TEST(ErrMsg, BoxTextFollowsTheErrorLevel)
{
    ScriptedMessageBox boxes;
    cuAppError err;
    const AppErrorRecord e(-2147221507, QStringLiteral("pPatterns: InitPattern"),
                           QStringLiteral("Kaputt."));
    err.ErrMsg(e, QStringLiteral("frmMain"), QStringLiteral("Form_Load"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("pPatterns: InitPattern | frmMain: Form_Load") +
                                         CRLF + CRLF + QStringLiteral("Kaputt."));
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Tolvane <Fehler Nr. -2147221507>"));
    EXPECT_EQ(boxes.shown()[0].style, 16);

    err.ErrMsg(AppErrorRecord(53, QStringLiteral("tolvane"), QStringLiteral("Fehlt."), 7),
               QString(), QStringLiteral("Main"));
    EXPECT_EQ(boxes.lastText(), QStringLiteral("Zeile: 7\nMain\n\nFehlt."));
    EXPECT_EQ(boxes.shown().last().title, QStringLiteral("Tolvane <Fehler Nr. 53>"));

    err.ErrLevel = 1;
    err.ErrMsg(e, QStringLiteral("frmMain"), QStringLiteral("Form_Load"));
    EXPECT_EQ(boxes.lastText(), QStringLiteral("Kaputt."));

    err.ErrLevel = 0;
    err.ErrMsg(e, QStringLiteral("frmMain"), QStringLiteral("Form_Load"));
    EXPECT_EQ(boxes.count(), 3);

    err.ErrLevel = 2;
    err.ErrMsg(e, {}, {}, {}, 0);
    EXPECT_EQ(boxes.shown().last().style, 16400);
}

TEST(ErrStore, RaisesTheStoredErrorLater)
{
    cuAppError err;
    try {
        throw AppErrorRecord(9, QStringLiteral("Quelle"), QStringLiteral("Beschreibung"), 4);
    } catch (...) {
        err.ErrStore();
    }
    const AppErrorRecord e =
        Raised([&] { err.ErrRaiseStored(QStringLiteral("Klasse"), QStringLiteral("Proz")); });
    EXPECT_EQ(e.Number, 9);
    EXPECT_EQ(e.Source, QStringLiteral("Quelle | Klasse: Proz (4)"));
    EXPECT_EQ(e.Description, QStringLiteral("Beschreibung"));
}
