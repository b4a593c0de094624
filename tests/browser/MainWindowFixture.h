// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/FileBoxModel.h"
#include "browser/frmMain.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/Registry.h"
#include "core/pOptions.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"

#include <QAction>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A main window over the test's own settings store, started in a temporary folder.
// Tests reach the window's controls by their names, as a user reaches them
// by what they show.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto options = std::make_unique<pOptions>();
        options->Init();
        SetAppOptions(std::move(options));
        AppSaveSetting(akOptions, QStringLiteral("StartupPath"), dir.path());
    }
    void TearDown() override { SetAppOptions(nullptr); }

    std::unique_ptr<frmMain> Open()
    {
        auto form = std::make_unique<frmMain>();
        form->show();
        // Up on screen, the window tells what failed while it was being built.
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    template <typename T> static T* Control(const frmMain& form, const char* name)
    {
        T* control = form.findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    static QAction* Entry(const frmMain& form, const char* name)
    {
        return Control<QAction>(form, name);
    }
    // Selects exactly the files named: none for an empty list.
    static void Select(frmMain& form, const QStringList& names)
    {
        form.SelectFiles(QString(), false);
        auto* box = Control<QListView>(form, "FileBox");
        for (const QString& name : names) {
            const int row = int(form.Files()->Names().indexOf(name));
            ASSERT_GE(row, 0) << name.toStdString();
            box->selectionModel()->select(form.Files()->index(row), QItemSelectionModel::Select);
        }
    }
    // Stores one entry of the user file menu as the user would; a null mask stores none.
    static void StoreUserMenuEntry(const QString& caption, const QString& cmdLine,
                                   const QString& mask = {})
    {
        const QString key = AppKeyPath(akUserFileMenu) + QStringLiteral("\\") + caption;
        Registry().RegSaveSettingString(HKEY_CURRENT_USER, key, QStringLiteral("CmdLine"), cmdLine);
        if (!mask.isNull())
            Registry().RegSaveSettingString(HKEY_CURRENT_USER, key, QStringLiteral("Mask"), mask);
    }
    static void ClickFile(frmMain& form, const QString& name, Qt::KeyboardModifiers modifiers = {})
    {
        const int row = int(form.Files()->Names().indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        auto* box = Control<QListView>(form, "FileBox");
        const QRect rect = box->visualRect(form.Files()->index(row));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

    TempDir dir;
    ScriptedMessageBox boxes;
};
