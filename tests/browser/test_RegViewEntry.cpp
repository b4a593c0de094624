// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "regview/RegKeyModel.h"
#include "regview/frmRegView.h"

#include <QMenu>
#include <QSignalSpy>

namespace {
class RegViewEntry : public MainWindowTest {};
} // namespace

TEST_F(RegViewEntry, OfferedForRegistryFilesInAnyCaseAndOpensTheViewer)
{
    for (const char* name : {"a.REG", "a.txt", "user.reg"})
        dir.writeFile(QLatin1String(name), "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n");
    std::unique_ptr<frmMain> form = Open();
    QAction* entry = Entry(*form, "kFileBox_Run_RegView");
    const auto offeredFor = [&](const char* name) {
        ClickFile(*form, QLatin1String(name));
        QTest::keyClick(Control<QListView>(*form, "FileBox"), Qt::Key_Menu);
        Control<QMenu>(*form, "kFileBox")->hide();
        return entry->isVisible();
    };
    EXPECT_TRUE(offeredFor("a.REG"));
    EXPECT_TRUE(offeredFor("user.reg"));
    EXPECT_FALSE(offeredFor("a.txt"));

    ClickFile(*form, QStringLiteral("a.REG"));
    QString title;
    QString root;
    WhenModal<frmRegView>([&](frmRegView* viewer) {
        QSignalSpy loaded(viewer, &frmRegView::Loaded);
        if (loaded.wait(10000) && viewer->Keys()) {
            title = viewer->windowTitle();
            root = viewer->Keys()->index(0, 0).data().toString();
        }
        viewer->close();
    });
    entry->trigger();
    EXPECT_EQ(title, QStringLiteral("RegView - ") + dir.filePath(QStringLiteral("a.REG")));
    EXPECT_EQ(root, QStringLiteral("HKCU\\Software\\A"));
    EXPECT_EQ(boxes.count(), 0);
}
