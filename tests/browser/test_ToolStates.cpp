// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "browser/DirListBox.h"
#include "support/TestText.h"

#include <QImage>
#include <QMenu>
#include <QTreeWidget>

namespace {
using Kind = MainCommand::Kind;

// A folder of one file of each kind the entries care about.
class ToolStates : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* name : {"x.dll", "y.exe", "z.reg", "t.txt"})
            dir.writeFile(QLatin1String(name), "MZ");
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        picture.save(dir.filePath(QStringLiteral("p.jpg")));
        dir.makeDir(QStringLiteral("leer"));
        form = Open();
    }

    // Every tool as if it were built: a handler for every entry, the
    // registration taking libraries, and a user menu of one command.
    void BuildEveryTool()
    {
        MainCommandTable& table = form->Commands();
        QStringList missing;
        for (const MainCommand& row : table.Rows()) {
            if (!row.handler && (row.kind == Kind::Item || row.kind == Kind::Check))
                missing.append(row.name);
        }
        for (const QString& name : missing)
            table.SetHandler({qPrintable(name)}, [this, name](const CommandCall&) { ran = name; });
        form->Predicates().IsActiveX = [](const QString& path) {
            return path.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive);
        };
        form->Predicates().HasUserMenu = [] { return true; };
        QMenu* user = Control<QMenu>(*form, "kFileBox_Run_User");
        user->addAction(QStringLiteral("Mit Kate"))
            ->setObjectName(QStringLiteral("kFileBox_Run_User_Menu_1"));
        MainCommand entry;
        entry.parent = QStringLiteral("kFileBox_Run_User");
        entry.name = QStringLiteral("kFileBox_Run_User_Menu_1");
        entry.handler = [](const CommandCall&) {};
        table.Add(entry);
        form->OpenFolder(dir.path()); // the folder facts with the pictures known
    }

    void Select(const QStringList& names)
    {
        form->SelectFiles(QString(), false);
        auto* box = Control<QListView>(*form, "FileBox");
        for (const QString& name : names) {
            const int row = int(form->Files()->Names().indexOf(name));
            ASSERT_GE(row, 0) << name.toStdString();
            box->selectionModel()->select(form->Files()->index(row), QItemSelectionModel::Select);
        }
    }

    // The entries of a menu a user would see, submenus walked, without the
    // menu's own prefix and without separators.
    QStringList Seen(const char* menuName) const
    {
        QStringList seen;
        const QString prefix = QLatin1String(menuName) + QLatin1Char('_');
        std::function<void(const QMenu*)> walk = [&](const QMenu* menu) {
            for (const QAction* action : menu->actions()) {
                if (action->isSeparator() || !action->isVisible())
                    continue;
                seen.append(action->objectName().mid(prefix.size()));
                if (action->menu())
                    walk(action->menu());
            }
        };
        walk(Control<QMenu>(*form, menuName));
        return seen;
    }

    std::unique_ptr<frmMain> form;
    QString ran;
};

QStringList Split(const char* names)
{
    return QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
} // namespace

TEST_F(ToolStates, EveryRowHasItsEntryWithItsCaption)
{
    for (const MainCommand& row : form->Commands().Rows()) {
        if (row.kind == Kind::List)
            continue;
        const QAction* action = form->findChild<QAction*>(row.name);
        ASSERT_NE(action, nullptr) << row.name.toStdString();
        const QString expected = row.kind == Kind::Separator ? QString() : row.caption;
        EXPECT_EQ(action->isSeparator(), row.kind == Kind::Separator) << row.name.toStdString();
        if (!expected.isEmpty()) {
            EXPECT_EQ(action->text(), expected) << row.name.toStdString();
        }
        // With every tool built, no entry is left without behaviour.
        const bool runs = row.kind == Kind::Item || row.kind == Kind::Check;
        EXPECT_TRUE(!runs || row.handler) << row.name.toStdString();
    }
}

TEST_F(ToolStates, FileMenuFollowsTheSelectionForTheToolsThatAreBuilt)
{
    const struct {
        const char* selected;
        const char* seen;
    } cases[] = {
        {"", "Refresh Properties Select Select_All Select_Nothing Date Rename"},
        {"x.dll", "Refresh Properties Select Select_All Select_Nothing Run Run_Default Run_Editor "
                  "Reg Reg_On Reg_Off Date CopyPath DLLCopy Rename"},
        {"z.reg", "Refresh Properties Select Select_All Select_Nothing Run Run_Default Run_Editor "
                  "Run_RegView Date CopyPath Rename"},
        {"p.jpg", "Refresh Properties Select Select_All Select_Nothing Run Run_Default Run_Editor "
                  "Run_PicView Date CopyPath Rename"},
        {"x.dll y.exe p.jpg",
         "Refresh Properties Select Select_All Select_Nothing Reg Reg_On Reg_Off Date Rename"},
    };
    for (const auto& c : cases) {
        Select(Split(c.selected));
        EXPECT_EQ(Seen("kFileBox"), Split(c.seen)) << c.selected;
    }
    // Tools that are not built: disabled where a menu cannot hide them.
    for (const char* built :
         {"TB_Calc", "TB_Calc_TimeCalc", "mExtras_Calc", "mExtras_Options", "TB_SlideShow",
          "TB_Icons", "TB_Rename", "TB_Compare", "mExtras_CompareDirs"})
        EXPECT_TRUE(Entry(*form, built)->isEnabled()) << built;
    EXPECT_EQ(Seen("kDirBox"),
              Split("Refresh Properties Date CopyPath DirComp Rename Slideshow Icons"));
}

TEST_F(ToolStates, WithEveryToolBuiltTheEntriesFollowTheirRules)
{
    BuildEveryTool();
    const char* common = "Refresh Properties Select Select_All Select_Nothing";
    const char* open = "Run Run_Default Run_Editor Run_User Run_User_Menu_1";
    const struct {
        const char* selected;
        QString seen;
    } cases[] = {
        {"", Split(common).join(' ') + " Date Rename"},
        {"x.dll",
         QString("%1 %2 Reg Reg_On Reg_Off Date CopyPath DLLCopy Rename").arg(common, open)},
        {"z.reg", QString("%1 %2 Run_RegView Date CopyPath Rename").arg(common, open)},
        {"p.jpg", QString("%1 %2 Run_PicView Date CopyPath Rename").arg(common, open)},
        {"t.txt", QString("%1 %2 Date CopyPath Rename").arg(common, open)},
        {"x.dll y.exe p.jpg", QString("%1 Reg Reg_On Reg_Off Date Rename").arg(common)},
        {"t.txt z.reg p.jpg", QString("%1 Date Rename").arg(common)},
    };
    for (const auto& c : cases) {
        Select(Split(c.selected));
        EXPECT_EQ(Seen("kFileBox"), c.seen.split(' ')) << c.selected;
        const bool any = c.selected[0] != '\0';
        EXPECT_EQ(Entry(*form, "kFileBox_Properties")->isEnabled(), any) << c.selected;
        EXPECT_EQ(Entry(*form, "kFileBox_Date")->isEnabled(), any) << c.selected;
    }
    for (const char* button : {"TB_Compare", "TB_Rename", "TB_SlideShow", "TB_Icons"})
        EXPECT_TRUE(Entry(*form, button)->isEnabled()) << button;

    // A folder without files: nothing to rename, show or look into.
    form->OpenFolder(dir.filePath(QStringLiteral("leer")));
    for (const char* button : {"TB_Rename", "TB_SlideShow", "TB_Icons"})
        EXPECT_FALSE(Entry(*form, button)->isEnabled()) << button;
    EXPECT_TRUE(Entry(*form, "TB_Compare")->isEnabled());
}

TEST_F(ToolStates, TheFolderMenuIsPreparedForTheFolderItOpensOn)
{
    BuildEveryTool();
    auto* box = Control<DirListBox>(*form, "DirBox");
    const struct {
        int offset; // from the current folder's row
        const char* seen;
    } cases[] = {
        {0, "Refresh Properties Date CopyPath DirComp Rename Slideshow Icons"},
        {1, "Refresh Properties Date CopyPath DirComp"}, // "leer"
    };
    for (const auto& c : cases) {
        const QModelIndex row = box->Model()->index(box->Model()->CurrentRow() + c.offset);
        box->setCurrentIndex(row);
        QTest::keyClick(box, Qt::Key_F10, Qt::ShiftModifier);
        auto* menu = Control<QMenu>(*form, "kDirBox");
        EXPECT_TRUE(menu->isVisible()) << c.offset;
        menu->hide();
        EXPECT_EQ(Seen("kDirBox"), Split(c.seen)) << c.offset;
    }
    // The entry reaches its handler (a stand-in here: the real one opens a modal window).
    form->Commands().SetHandler({"kDirBox_DirComp"},
                                [this](const CommandCall&) { ran = QStringLiteral("DirComp"); });
    Entry(*form, "kDirBox_DirComp")->trigger();
    EXPECT_EQ(ran, QStringLiteral("DirComp"));
}

TEST_F(ToolStates, TheMenuKeyOpensTheMenuOfTheControlWithTheFocus)
{
    Select({QStringLiteral("p.jpg")});
    const std::pair<const char*, const char*> cases[] = {
        {"FileBox", "kFileBox"},
        {"DirBox", "kDirBox"},
        {"LVFileInfo", "kFileInfo"},
        {"TN", "kPicPreView"},
    };
    for (const auto& [control, name] : cases) {
        QTest::keyClick(Control<QWidget>(*form, control), Qt::Key_Menu);
        auto* menu = Control<QMenu>(*form, name);
        EXPECT_TRUE(menu->isVisible()) << control;
        menu->hide();
    }
}
