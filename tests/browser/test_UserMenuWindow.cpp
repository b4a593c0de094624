// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "UserMenuTestUtil.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "support/IconFixtures.h"
#include "support/TestText.h"

#include <QFileInfo>
#include <QListWidget>
#include <QMenu>

namespace {
class UserMenuWindow : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        qputenv("TOLVANE_ARG_RECORD", QFile::encodeName(record));
        for (const char* name : {"a.TXT", "b.log", "$(touch y)"})
            dir.writeFile(QLatin1String(name), "Inhalt");
    }
    void TearDown() override
    {
        qunsetenv("TOLVANE_ARG_RECORD");
        MainWindowTest::TearDown();
    }
    void Select(const char* name)
    {
        form->SelectFiles(u(name), true);
        form->ApplyToolStates();
    }
    QAction* UserEntry(const char* caption) const
    {
        for (QAction* action : Control<QMenu>(*form, "kFileBox_Run_User")->actions()) {
            if (action->text() == u(caption))
                return action;
        }
        return nullptr;
    }

    TempDir out;
    const QString record = out.filePath(u("record"));
    std::unique_ptr<frmMain> form;
};

TEST_F(UserMenuWindow, EntriesAreOfferedByTheFileNamesExtension)
{
    form = Open();
    Select("a.TXT");
    EXPECT_FALSE(Entry(*form, "kFileBox_Run_User")->isVisible()); // no entries at all
    form.reset();

    StoreUserMenuEntry(u("&Text"), u("kate %1"), u("txt;ini"));
    StoreUserMenuEntry(u("Alle"), u("xdg-open %1"));
    StoreUserMenuEntry(u("Leer"), QString());
    form = Open();
    EXPECT_EQ(UserEntry("Leer"), nullptr);
    ASSERT_NE(UserEntry("&Text"), nullptr);
    for (const auto& [file, text] : {std::pair{"a.TXT", true}, std::pair{"b.log", false}}) {
        Select(file);
        EXPECT_TRUE(Entry(*form, "kFileBox_Run_User")->isVisible()) << file;
        EXPECT_EQ(UserEntry("&Text")->isEnabled(), text) << file;
        EXPECT_TRUE(UserEntry("Alle")->isEnabled()) << file;
    }
}

TEST_F(UserMenuWindow, RunsTheProgramOrTellsWhyNot)
{
    StoreUserMenuEntry(u("Aufzeichnen"), u("\"") + u(ARG_RECORDER) + u("\" %1"));
    StoreUserMenuEntry(u("Ohne"), u("kate"));
    form = Open();
    Select("$(touch y)");
    const QString path = dir.filePath(u("$(touch y)"));

    UserEntry("Ohne")->trigger();
    EXPECT_EQ(boxes.lastText(), AppErr().MsgLoad(Msg::CommandNeedsPlaceholder, u("%1"), path));
    EXPECT_FALSE(QFileInfo::exists(record));

    boxes.clear();
    UserEntry("Aufzeichnen")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([this] { return QFileInfo::exists(record); }, 10000));
    EXPECT_EQ(ArgRecord::Read(record).arguments, QList<QByteArray>{QFile::encodeName(path)});
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u("y"))));
    EXPECT_EQ(boxes.count(), 0);
}

// The icon viewer from the tool bar: modeless, owned by the main window.
TEST_F(MainWindowTest, IconsButtonOpensTheViewerBesideTheMainWindow)
{
    const auto form = Open();
    EXPECT_FALSE(Entry(*form, "TB_Icons")->isEnabled()); // nothing to show yet
    dir.writeFile(
        u("a.ico"),
        IconFixtures::icoFile({IconFixtures::entry(IconFixtures::square(32, qRgb(0, 0, 200)))}));
    form->RefreshFolder(dir.path());
    ASSERT_TRUE(Entry(*form, "TB_Icons")->isEnabled());
    Entry(*form, "TB_Icons")->trigger();
    QWidget* viewer = form->findChild<QWidget*>(u("frmIconView"));
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->isWindow());
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const auto* list = viewer->findChild<QListWidget*>(u("LV"));
        return list && list->count() == 1;
    }));
    EXPECT_EQ(boxes.count(), 0);
}
} // namespace
