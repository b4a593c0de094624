// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Help.h"
#include "core/HelpKeyFilter.h"
#include "core/HelpTopics.h"
#include "core/frmHelp.h"
#include "platform/ShellLauncher.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {
QString readAll(const QString& path)
{
    return QString::fromUtf8(TempDir::contents(path));
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class HelpWindows : public ::testing::Test {
protected:
    void TearDown() override
    {
        help.HTMLHelpCloseAll(nullptr);
        flushDeletes();
        Help::setSearchFolders({});
    }
    Help help;
};
} // namespace

TEST_F(HelpWindows, DefaultTopicBesideTheExecutableAndEscapeClosesIt)
{
    EXPECT_EQ(Help::HelpFolder(),
              QDir::cleanPath(QCoreApplication::applicationDirPath() + u("/help")));
    QPointer<frmHelp> window = help.HTMLHelpOpen(nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->currentPage(), u("index.html"));
    EXPECT_TRUE(window->txtPage->toPlainText().contains(u("Stapel-Umbenennen")));
    // The program's help file name of old means the installed help too.
    EXPECT_EQ(
        help.HTMLHelpOpen(nullptr, QCoreApplication::applicationDirPath() + u("/tolvane.chm")),
        window);

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window->txtPage, Qt::Key_Escape);
    EXPECT_FALSE(window && window->isVisible());
}

TEST_F(HelpWindows, TopicsByIdHistoryContentsAndClosingPerOwner)
{
    QWidget owner;
    frmHelp* window = help.HTMLHelpContext(&owner, {}, HelpTopicId::Rename);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->owner(), &owner);
    EXPECT_EQ(window->currentPage(), u("umbenennen.html"));
    EXPECT_FALSE(window->cmdBack->isEnabled());

    // The same owner keeps its one window.
    EXPECT_EQ(help.HTMLHelpContext(&owner, {}, HelpTopicId::InterestCalculator), window);
    EXPECT_EQ(window->currentPage(), u("rechner.html#zinsrechner"));
    EXPECT_EQ(window->TVContents->currentItem()->text(0), u("Zinsrechner"));
    ASSERT_TRUE(window->cmdBack->isEnabled());
    window->cmdBack->click();
    EXPECT_EQ(window->currentPage(), u("umbenennen.html"));
    EXPECT_TRUE(window->cmdForward->isEnabled());
    // An id the table does not hold shows the contents, as the contents button does.
    help.HTMLHelpContext(&owner, {}, 4711);
    EXPECT_EQ(window->currentPage(), u("index.html"));
    window->cmdBack->click();
    EXPECT_EQ(window->currentPage(), u("umbenennen.html"));
    window->cmdContents->click();
    EXPECT_EQ(window->currentPage(), u("index.html"));

    // Closing an owner's help closes that window only.
    QWidget other;
    QPointer<frmHelp> kept = help.HTMLHelpOpen(&other);
    ASSERT_TRUE(kept);
    EXPECT_NE(kept.data(), window);
    EXPECT_EQ(Help::OpenWindows(&owner), QList<frmHelp*>{window});
    QPointer<frmHelp> closed = window;
    help.HTMLHelpCloseAll(&owner);
    flushDeletes();
    EXPECT_TRUE(closed.isNull());
    ASSERT_FALSE(kept.isNull());
    EXPECT_TRUE(kept->isVisible());
    EXPECT_TRUE(Help::OpenWindows(&owner).isEmpty());
}

TEST_F(HelpWindows, NoHelpFolderSaysThereIsNoHelpButAPageTheCallerNamesServes)
{
    TempDir empty;
    Help::setSearchFolders({empty.path()});
    ScriptedMessageBox boxes;
    EXPECT_EQ(help.HTMLHelpOpen(nullptr), nullptr);
    EXPECT_EQ(help.HTMLHelpContext(nullptr, u("/nicht/da/hilfe.html"), HelpTopicId::Icons),
              nullptr);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.lastText(), u("Es gibt zurzeit keine Onlinehilfe für dieses Programm."));
    EXPECT_EQ(boxes.shown().last().style, 64);
    EXPECT_TRUE(Help::OpenWindows(nullptr).isEmpty());

    // A folder or page the caller names serves even so.
    TempDir own;
    own.writeFile(u("index.html"),
                  "<html><head><title>Eigene</title></head><body>Start</body></html>");
    own.writeFile(u("seite.html"),
                  "<html><head><title>Seite</title></head><body>Seite</body></html>");
    Help::setSearchFolders({own.path() + u("fehlt")});
    EXPECT_EQ(Help::HelpFolder(own.path()), QDir::cleanPath(own.path()));
    frmHelp* window = help.HTMLHelpOpen(nullptr, own.filePath(u("seite.html")));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->currentPage(), u("seite.html"));
    EXPECT_EQ(window->windowTitle(), u("Tolvane-Hilfe - Seite"));
}

TEST_F(HelpWindows, F1ShowsTheWindowsTopicOrRunsItsHelpEntry)
{
    HelpKeyFilter::Install();
    for (const auto& [name, page] : {std::pair{"frmTimeCalc", "rechner.html#zeitrechner"},
                                     {"frmRenamePrv", "umbenennen.html"},
                                     {"frmUnbekannt", "index.html"}}) {
        QWidget tool;
        tool.setObjectName(u(name));
        auto* field = new QTextBrowser(&tool);
        tool.show();
        QTest::keyClick(field, Qt::Key_F1);
        const QList<frmHelp*> shown = Help::OpenWindows(&tool);
        ASSERT_EQ(shown.size(), 1) << name;
        EXPECT_EQ(shown.first()->currentPage(), u(page)) << name;
        // F1 inside the help leaves it where it is.
        QTest::keyClick(shown.first()->txtPage, Qt::Key_F1);
        EXPECT_EQ(Help::OpenWindows(nullptr).size(), 1);
        help.HTMLHelpCloseAll(nullptr);
        flushDeletes();
    }
    // A window with a help menu runs its entry instead.
    QWidget main;
    auto* entry = new QAction(&main);
    entry->setObjectName(u("mHelp_Help"));
    int runs = 0;
    QObject::connect(entry, &QAction::triggered, [&runs] { ++runs; });
    main.show();
    QTest::keyClick(&main, Qt::Key_F1);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(Help::OpenWindows(nullptr).isEmpty());
}

TEST_F(HelpWindows, ThePageOpensInTheDesktopsBrowser)
{
    TempDir dir;
    const QString out = dir.filePath(u("aufruf"));
    const QString script = dir.writeFile(
        u("opener.sh"),
        u("#!/bin/sh\nprintf '%s' \"$1\" > '%1.tmp'\nmv '%1.tmp' '%1'\n").arg(out).toUtf8());
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ShellLauncher::setOpenerProgram(script);
    frmHelp* window = help.HTMLHelpContext(nullptr, {}, HelpTopicId::InterestCalculator);
    ASSERT_NE(window, nullptr);
    window->cmdBrowser->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(out); }, 10000));
    EXPECT_EQ(
        readAll(out),
        QUrl::fromLocalFile(Help::HelpFolder() + u("/rechner.html")).toString(QUrl::FullyEncoded) +
            u("#zinsrechner"));

    // No program to open it with: the user is told, the help stays.
    ScriptedMessageBox boxes;
    ShellLauncher::setOpenerProgram(dir.filePath(u("kein-programm")));
    window->cmdBrowser->click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.lastText().contains(Help::HelpFolder() + u("/rechner.html")));
    EXPECT_TRUE(window->isVisible());
    ShellLauncher::setOpenerProgram({});
}

TEST(HelpPages, EveryTopicAndLinkLeadsToAPage)
{
    const QString folder = Help::HelpFolder();
    ASSERT_FALSE(folder.isEmpty());
    for (const HelpTopic& topic : HelpTopics()) {
        const QString page = QString::fromUtf8(topic.page);
        const QString text = readAll(folder + u("/") + page.section(u("#"), 0, 0));
        EXPECT_TRUE(text.contains(u("<title>"))) << topic.page;
        const QString anchor = page.section(u("#"), 1);
        EXPECT_TRUE(anchor.isEmpty() || text.contains(u("id=\"") + anchor + u("\""))) << topic.page;
        EXPECT_EQ(HelpTopicByPage(page), &topic);
    }
    // Links between the pages point at pages and anchors that exist.
    static const QRegularExpression link(u("href=\"([^\"#:]+)(?:#([^\"]+))?\""));
    for (const QString& name : QDir(folder).entryList({u("*.html")}, QDir::Files)) {
        const QString text = readAll(folder + u("/") + name);
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const auto match = it.next();
            const QString target = readAll(folder + u("/") + match.captured(1));
            EXPECT_FALSE(target.isEmpty())
                << name.toStdString() << " -> " << match.captured(1).toStdString();
            const QString anchor = match.captured(2);
            EXPECT_TRUE(anchor.isEmpty() || target.contains(u("id=\"") + anchor + u("\"")))
                << name.toStdString() << " -> " << match.captured(0).toStdString();
        }
    }
}
