// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileDialog.h"
#include "core/Twips.h"
#include "regview/RegKeyModel.h"
#include "regview/RegValueModel.h"
#include "regview/frmRegView.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {
QByteArray Export(int keys)
{
    QByteArray text =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\r\n"
        "\"Fett\"=\"<b>x</b>\"\r\n";
    for (int i = 0; i < keys; ++i)
        text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\X\\K" + QByteArray::number(i) +
                "]\r\n\"Nr\"=dword:" + QByteArray::number(i, 16).rightJustified(8, '0') + "\r\n";
    return text;
}

class RegViewWindow : public ::testing::Test {
protected:
    void TearDown() override { FileDialog::setHook({}); }

    // Shows the window and waits until it has loaded `path`.
    void Load(const QString& path)
    {
        QSignalSpy loaded(&window, &frmRegView::Loaded);
        window.Start(path);
        ASSERT_TRUE(loaded.wait(10000));
    }
    // Runs `action` each time the progress changes while `phase` is shown.
    void DuringLoad(const char* phase, std::function<void()> action)
    {
        QObject::connect(window.PB, &QProgressBar::valueChanged, &window, [=, this] {
            if (window.lblStatus->text().startsWith(QLatin1String(phase)))
                action();
        });
    }

    TempDir dir;
    ScriptedMessageBox boxes;
    frmRegView window;
};
} // namespace

TEST_F(RegViewWindow, ShowsTheFirstKeyListsTheValuesClickedKeepsEachSideWideAndOpensAnother)
{
    const QString path = dir.writeFile(u("eins/x.reg"), Export(3));
    Load(path);
    EXPECT_EQ(window.windowTitle(), u("RegView - ") + path);
    RegKeyModel* keys = window.Keys();
    ASSERT_NE(keys, nullptr);
    const QModelIndex first = keys->index(0, 0);
    EXPECT_EQ(window.TV->currentIndex(), first);
    EXPECT_TRUE(window.TV->isExpanded(first));
    EXPECT_EQ(first.data().toString(), u("HKLM\\SOFTWARE\\X"));
    // The text from the file is shown as it stands, never as markup.
    EXPECT_EQ(window.Values()->index(0, 2).data().toString(), u("<b>x</b>"));

    const QModelIndex second = keys->index(1, 0, first);
    window.TV->scrollTo(second);
    QTest::mouseClick(window.TV->viewport(), Qt::LeftButton, {},
                      window.TV->visualRect(second).center());
    EXPECT_EQ(window.TV->currentIndex(), second);
    const QAbstractItemModel* values = window.LV->model();
    ASSERT_EQ(values->rowCount(), 1);
    QStringList row;
    for (int column = 0; column < 3; ++column)
        row << values->headerData(column, Qt::Horizontal).toString()
            << values->index(0, column).data().toString();
    EXPECT_EQ(row, QStringList({"Name", "Nr", "Typ", "REG_DWORD", "Wert", "0x00000001 (1)"}));
    EXPECT_EQ(boxes.count(), 0);

    window.resize(TwipsToPx(9000, &window), TwipsToPx(5000, &window));
    QSplitterHandle* handle = window.splitter->handle(1);
    const QPoint grab = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grab);
    QMouseEvent drag(QEvent::MouseMove, QPointF(grab.x() - 2000, grab.y()),
                     handle->mapToGlobal(QPointF(grab.x() - 2000, grab.y())), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &drag);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(grab.x() - 2000, grab.y()));
    EXPECT_EQ(window.TV->width(), TwipsToPx(1500, &window));

    window.SizeControls(100000);
    EXPECT_EQ(window.LV->width(), TwipsToPx(1500, &window));

    // "Öffnen" starts in the folder of the file shown.
    const QString other = dir.writeFile(u("zwei/Y.REG"), Export(2));
    QList<FileDialogRequest> requests;
    FileDialog::setHook([&](const FileDialogRequest& request) {
        requests << request;
        return QStringList{other};
    });
    QSignalSpy loaded(&window, &frmRegView::Loaded);
    window.mFile_Open->trigger();
    ASSERT_EQ(loaded.count(), 1);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].title, u("Bitte *.Reg-Datei auswählen"));
    EXPECT_EQ(requests[0].startFolder, dir.filePath(u("eins")));
    EXPECT_EQ(requests[0].nameFilters,
              QStringList({u("Registrierungsdateien Win 95/NT4 (*.reg) (*.[rR][eE][gG])")}));
    EXPECT_EQ(window.windowTitle(), u("RegView - ") + other);
    EXPECT_EQ(window.Keys()->rowCount(window.Keys()->index(0, 0)), 2);
}

TEST_F(RegViewWindow, WhileLoadingTheWindowStaysAndEscapeStopsTheReadAndTheTree)
{
    const QString path = dir.writeFile(u("gross.reg"), Export(1000));
    bool openWasEnabled = true;
    DuringLoad("Datei wird gelesen", [this, &openWasEnabled] {
        openWasEnabled = openWasEnabled && window.mFile_Open->isEnabled();
        if (boxes.count() == 0)
            window.close();
    });
    Load(path);
    EXPECT_FALSE(openWasEnabled);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.lastText(), u("Der Einlesevorgang muss zuerst beendet werden."));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.mFile_Open->isEnabled());
    EXPECT_NE(window.Keys(), nullptr);

    const auto escapeWhile = [this](const char* phase) {
        boxes.clear();
        QObject::disconnect(window.PB, nullptr, &window, nullptr);
        DuringLoad(phase, [this] {
            QCoreApplication::postEvent(
                &window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        });
        window.OpenCNF();
    };
    escapeWhile("Datei wird gelesen");
    ASSERT_GE(boxes.count(), 1);
    EXPECT_TRUE(boxes.lastText().contains(u("Abbruch durch Anwender.")))
        << boxes.lastText().toStdString();
    EXPECT_EQ(window.Keys(), nullptr);

    escapeWhile("Baum wird erzeugt");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.lastText(), u("Abbruchaufforderung erkannt.\nDie Ausgabe wird abgebrochen."));
    // What was built stays.
    ASSERT_NE(window.Keys(), nullptr);
    EXPECT_GT(window.Keys()->rowCount(window.Keys()->index(0, 0)), 0);
}
