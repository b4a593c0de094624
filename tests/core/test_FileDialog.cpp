// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileDialog.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
const QChar NUL(0);

// Records every request and answers with the queued selections.
class DialogAnswers : public ::testing::Test {
protected:
    void SetUp() override
    {
        FileDialog::setHook([this](const FileDialogRequest& request) {
            requests << request;
            return answers.isEmpty() ? QStringList() : answers.takeFirst();
        });
    }
    void TearDown() override { FileDialog::setHook({}); }

    QList<FileDialogRequest> requests;
    QList<QStringList> answers;
    FileDialog dialogs;
};
} // namespace

TEST_F(DialogAnswers, FolderChoiceDefaultsOptionsAndTheTrailingSlash)
{
    answers = {{u("/home/eva")}, {u("/home/eva")}, {u("/")}, {u("/daten/")}};
    EXPECT_EQ(dialogs.BrowseForFolder(u("Quelle"), u("/tmp"), nullptr, false), u("/home/eva"));
    EXPECT_EQ(dialogs.BrowseForFolder(u("Quelle"), u("/tmp"), nullptr, true), u("/home/eva/"));
    EXPECT_EQ(dialogs.BrowseForFolder({}, {}, nullptr, true), u("/"));
    EXPECT_EQ(dialogs.BrowseForFolder({}, {}, nullptr, true), u("/daten/"));
    EXPECT_EQ(requests[0].title, u("Quelle"));
    EXPECT_EQ(requests[0].startFolder, u("/tmp"));
    EXPECT_EQ(requests[2].title, u("Ordner wählen"));
    EXPECT_EQ(requests[2].startFolder, QDir::homePath());
    EXPECT_FALSE(requests[2].includeFiles);

    requests.clear();
    dialogs.BrowseForFolderEx(u("$"), {}, nullptr, false, true, {}, true, true);
    dialogs.BrowseForFolderEx(u("$"), {}, nullptr, false, false, {}, true, false);
    // A start outside the root begins at the root; one inside stays.
    dialogs.BrowseForFolderEx({}, u("/usr/share"), nullptr, false, false, u("/home"), true, false);
    dialogs.BrowseForFolderEx({}, u("/home/eva"), nullptr, false, false, u("/home"), true, false);
    ASSERT_EQ(requests.size(), 4);
    EXPECT_EQ(requests[0].title, QString());
    EXPECT_TRUE(requests[0].includeFiles);
    EXPECT_EQ(requests[1].title, u("$"));
    EXPECT_EQ(requests[2].startFolder, u("/home"));
    EXPECT_EQ(requests[3].startFolder, u("/home/eva"));
}

TEST(FileDialogFilters, MatchIgnoringCase)
{
    EXPECT_EQ(
        FileDialog::NameFilters(u("Bitmap (*.bmp)|*.bmp|Icon (*.ico)|*.ico")),
        (QStringList{u("Bitmap (*.bmp) (*.[bB][mM][pP])"), u("Icon (*.ico) (*.[iI][cC][oO])")}));
    EXPECT_EQ(FileDialog::NameFilters(u("Bilder|*.jpg; *.png|Alle|*.*")),
              (QStringList{u("Bilder (*.[jJ][pP][gG] *.[pP][nN][gG])"), u("Alle (*)")}));
    EXPECT_EQ(FileDialog::NameFilters(QString()), QStringList{u("Alle Dateien (*.*) (*)")});
    // A description without pattern is no entry.
    EXPECT_EQ(FileDialog::NameFilters(u("Text|*.txt|Rest")),
              QStringList{u("Text (*.[tT][xX][tT])")});
}

TEST_F(DialogAnswers, OpenAndSaveDefaultsResultsStateAndSeveralFiles)
{
    answers = {{u("/daten/bericht.final.txt")}, {}, {u("/daten/ohne")}};
    EXPECT_EQ(dialogs.GetOpenFileName(u("/daten"), u("bericht"), u("Bericht"), u("Text|*.txt")),
              u("/daten/bericht.final.txt"));
    EXPECT_EQ(requests[0].fileName, u("bericht"));
    EXPECT_EQ(requests[0].startFolder, u("/daten"));
    EXPECT_EQ(dialogs.FileName(), u("/daten/bericht.final.txt"));
    EXPECT_EQ(dialogs.FileTitle(), u("bericht.final.txt"));
    EXPECT_EQ(dialogs.FileOffset(), 7);
    EXPECT_EQ(dialogs.FileExtensionOffset(), 7 + 14);

    // A cancel clears what the last call left. Without arguments: the defaults.
    EXPECT_EQ(dialogs.GetSaveFileName(), QString());
    EXPECT_EQ(requests[1].title, u("Datei speichern"));
    EXPECT_EQ(requests[1].startFolder, QDir::homePath());
    EXPECT_EQ(requests[1].nameFilters, QStringList{u("Alle Dateien (*.*) (*)")});
    EXPECT_EQ(dialogs.FileName(), QString());
    EXPECT_EQ(dialogs.FileTitle(), QString());
    EXPECT_EQ(dialogs.FileOffset(), 0);

    EXPECT_EQ(dialogs.GetSaveFileName({}, {}, {}, {}, nullptr, OFN::OverwritePrompt),
              u("/daten/ohne"));
    EXPECT_EQ(requests[2].flags, OFN::OverwritePrompt);
    EXPECT_EQ(dialogs.FileExtensionOffset(), 0);

    // The form of several chosen files.
    const qint32 multi = OFN::AllowMultiSelect | OFN::Explorer | OFN::FileMustExist;
    answers = {{u("/daten/a.txt"), u("/daten/b.txt")},
               {u("/daten/a.txt")},
               {u("/daten/a.txt"), u("/daten/b.txt")}};
    EXPECT_EQ(dialogs.GetOpenFileName({}, {}, {}, {}, nullptr, multi),
              u("/daten") + NUL + u("a.txt") + NUL + u("b.txt"));
    EXPECT_EQ(dialogs.FileOffset(), 7);
    EXPECT_EQ(requests[3].startFolder, QDir::homePath());
    EXPECT_EQ(dialogs.GetOpenFileName({}, {}, {}, {}, nullptr, multi), u("/daten/a.txt"));
    // Without the explorer flag only the first file counts.
    EXPECT_EQ(dialogs.GetOpenFileName({}, {}, {}, {}, nullptr, OFN::AllowMultiSelect),
              u("/daten/a.txt"));
}

TEST(FileDialogWindow, TheRealDialogReturnsTheChosenFile)
{
    TempDir dir;
    const QString file = dir.writeFile(u("Auswahl.TXT"), "x");
    dir.writeFile(u("anderes.bin"));
    QStringList visible;
    QString title;
    QTimer driver;
    driver.setInterval(20);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* name = dialog ? dialog->findChild<QLineEdit*>(u("fileNameEdit")) : nullptr;
        if (!name)
            return;
        driver.stop();
        title = dialog->windowTitle();
        visible = dialog->nameFilters();
        // As the user does it: the name typed into the name field, then OK.
        name->setText(file);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
    });
    driver.start();
    // A dialog that refuses to close fails the test instead of hanging it.
    QObject guard;
    QTimer::singleShot(10000, &guard, [] {
        while (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    FileDialog dialogs;
    EXPECT_EQ(dialogs.GetOpenFileName(dir.path(), {}, {}, u("Text|*.txt")), file);
    EXPECT_EQ(title, u("Datei öffnen"));
    EXPECT_EQ(visible, QStringList{u("Text (*.[tT][xX][tT])")});
}
