// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's file tools as a user runs them: the date dialog for
// files and a folder, registration through a stand-in Wine, the library copy.
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "core/cuRecentFiles.h"
#include "filetimes/frmDatePicker.h"
#include "platform/FileTimes.h"
#include "platform/PeFile.h"
#include "support/PeWriter.h"
#include "support/StandInWine.h"
#include "support/TestText.h"
#include "support/VersionNode.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
QString text(qint32 number, const QVariant& arg1 = {}, const QVariant& arg2 = {})
{
    return AppErr().MsgLoad(number, arg1, arg2).replace(u("\r\n"), u("\n"));
}

// Answers the date dialog: the mode, and a date text or (empty) the reset.
void AnswerDates(int mode, const QString& date, QString* title = nullptr, bool cancel = false)
{
    WhenModal<frmDatePicker>([=](frmDatePicker* picker) {
        if (title)
            *title = picker->windowTitle();
        picker->cmbEditMode->setCurrentIndex(mode);
        picker->optAction[date.isEmpty() ? 1 : 0]->click();
        picker->txtDate->setText(date);
        (cancel ? picker->cmdCancel : picker->cmdOK)->click();
    });
}

QByteArray library(const QString& version = {})
{
    PeWriter w;
    w.pe32Plus = true;
    w.exports = {u("DllRegisterServer"), u("DllUnregisterServer")};
    if (!version.isEmpty())
        w.add(PeFile::RtVersion, 1, 0x0407,
              VersionNode::root({},
                                {VersionNode::strings(u("040704B0"), {{u("FileVersion"), version}}),
                                 VersionNode::translations({{0x0407, 0x04B0}})})
                  .serialize());
    return w.build();
}

qint64 seconds(const QString& path, FileTimes::Which which)
{
    return FileTimes::read(path, which).value_or(FileTimes::Stamp{-1, 0}).seconds;
}

class FileTools : public MainWindowTest {
protected:
    void Select(const QStringList& names)
    {
        form->SelectFiles(QString(), false);
        auto* box = Control<QListView>(*form, "FileBox");
        for (const QString& name : names)
            box->selectionModel()->select(
                form->Files()->index(form->Files()->Names().indexOf(name)),
                QItemSelectionModel::Select);
    }
    void Run(const char* entry) { Entry(*form, entry)->trigger(); }

    std::unique_ptr<frmMain> form;
};
} // namespace

TEST_F(FileTools, FileDatesForSeveralFilesAndWhatTheReportSays)
{
    const QString a = dir.writeFile(u("a.txt"), "a");
    const QString b = dir.writeFile(u("b.txt"), "b");
    form = Open();
    Select({u("a.txt"), u("b.txt")});
    QString title;
    AnswerDates(3, u("24.12.2021 18:30"), &title);
    Run("kFileBox_Date");
    EXPECT_EQ(title, u("Datum/Uhrzeit - (Mehrfachauswahl)"));
    EXPECT_EQ(boxes.lastText(),
              u("2 Dateien wurden geändert.\nDas Erstellungsdatum bleibt unverändert."));
    EXPECT_EQ(boxes.shown().last().style, MsgStyle::Information);
    const qint64 wanted =
        QDateTime(QDate(2021, 12, 24), QTime(18, 30), Qt::LocalTime).toSecsSinceEpoch();
    for (const QString& path : {a, b}) {
        EXPECT_EQ(seconds(path, FileTimes::Modification), wanted);
        EXPECT_EQ(seconds(path, FileTimes::Access), wanted);
    }

    Select({u("a.txt")});
    AnswerDates(2, u("01.01.2000"), &title, true);
    Run("kFileBox_Date");
    EXPECT_EQ(title, u("Datum/Uhrzeit - a.txt"));
    EXPECT_EQ(boxes.count(), 1); // cancelled: no report, nothing changed
    EXPECT_EQ(seconds(a, FileTimes::Modification), wanted);
}

TEST_F(FileTools, APastAccessTimeSurvivesTheInformationPane)
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(dir.filePath(u("bild.png")));
    dir.writeFile(u("text.txt"), "Zeile\n");
    dir.writeFile(u("prog.dll"), library(u("1.0")));
    dir.writeFile(u("ohne"), "irgendwas");
    form = Open();
    const qint64 past = QDateTime(QDate(2001, 2, 3), QTime(4, 5), Qt::LocalTime).toSecsSinceEpoch();
    for (const char* name : {"bild.png", "text.txt", "prog.dll", "ohne"}) {
        Select({u(name)});
        AnswerDates(1, u("03.02.2001 04:05"));
        Run("kFileBox_Date");
        ASSERT_EQ(boxes.lastText(), u("1 Dateien wurden geändert.")) << name;
        form->ShowFileIno(); // read once more, as any later click does
        EXPECT_EQ(seconds(dir.filePath(u(name)), FileTimes::Access), past) << name;
    }
}

TEST_F(FileTools, FolderDateAndWhyItFailed)
{
    const QString folder = dir.makeDir(u("Unter"));
    form = Open();
    form->OpenFolder(folder);
    const QString shown = folder.chopped(1);
    QString title;
    AnswerDates(2, QString(), &title);
    FileTimes::write(folder, FileTimes::Modification, {1640367015, 0}); // 24.12.2021 18:30:15
    Run("kDirBox_Date");
    EXPECT_EQ(title, u("Datum/Uhrzeit - ") + shown);
    EXPECT_EQ(boxes.lastText(), text(Msg::FolderTimesChanged, shown));
    EXPECT_EQ(seconds(folder, FileTimes::Modification),
              QDateTime(QDate(2021, 12, 24), QTime(0, 0), Qt::LocalTime).toSecsSinceEpoch());

    WhenModal<frmDatePicker>([&folder](frmDatePicker* picker) {
        QDir().rmdir(folder);
        picker->cmdOK->click();
    });
    Run("kDirBox_Date");
    EXPECT_EQ(boxes.lastText(), u("Datum/Uhrzeit des Ordners '%1' konnten nicht geändert werden.\n"
                                  "Datei oder Ordner nicht vorhanden.")
                                    .arg(shown));
}

TEST_F(FileTools, RegisteringSeveralAsksFirstAndReportsTheCount)
{
    const QString folder = dir.makeDir(u("Komponenten"));
    for (const char* name : {"a.dll", "b.dll", "c.dll"})
        dir.writeFile(u("Komponenten/") + u(name), library());
    dir.writeFile(u("Komponenten/bad.ocx"), "kein Programm");
    AppSaveSetting(akOptions, u("StartupPath"), folder);
    StandInWine wine;
    form = Open();
    form->SetMaskText(u("*.dll;*.ocx"));

    Select({u("a.dll"), u("b.dll")});
    boxes.queueAnswer(MsgResult::No);
    Run("kFileBox_Reg_On");
    EXPECT_EQ(boxes.lastText(), u("2 Dateien werden registriert. Fortfahren?"));
    EXPECT_EQ(boxes.shown().last().style, 308);
    EXPECT_TRUE(wine.calls().isEmpty());
    // Its first use stored the registrable extensions.
    EXPECT_EQ(AppGetSetting(akOptions, u("ActiveX")), u("dll;ocx;olb;tlb"));

    boxes.queueAnswer(MsgResult::Yes);
    Run("kFileBox_Reg_On");
    EXPECT_EQ(boxes.lastText(), u("2 Dateien wurden erfolgreich registriert."));
    EXPECT_EQ(boxes.shown().last().style, MsgStyle::Information);
    EXPECT_EQ(wine.calls().size(), 4);
    // The folder keeps its case; the mask and the last file are remembered.
    EXPECT_EQ(AppGetSetting(akOptions, u("StartupPath")), folder);
    EXPECT_EQ(AppGetSetting(akOptions, u("StartupMask")), u("*.dll;*.ocx"));
    EXPECT_EQ(form->RecentRegFiles().Item(1).FullPath, folder + u("b.dll"));
}

TEST_F(FileTools, NoAfterAFailureStopsTheRunAndCountsTheFailure)
{
    for (const char* name : {"a.dll", "c.dll"})
        dir.writeFile(u(name), library());
    const QString bad = dir.writeFile(u("bad.ocx"), "kein Programm");
    StandInWine wine;
    form = Open();
    Select({u("a.dll"), u("bad.ocx"), u("c.dll")});
    boxes.queueAnswer(MsgResult::Yes);
    boxes.queueAnswer(MsgResult::No);
    Run("kFileBox_Reg_On");
    ASSERT_EQ(boxes.count(), 3);
    EXPECT_EQ(QString(boxes.shown().at(1).text).replace(u("\r\n"), u("\n")),
              text(Msg::RegisterOneFailed, bad, u("registriert")) + u("\n") +
                  text(Msg::NotWindowsLibrary) + u("\nFortfahren?"));
    EXPECT_EQ(boxes.shown().at(1).style, MsgStyle::YesNo | MsgStyle::Critical);
    EXPECT_EQ(boxes.lastText(),
              u("1 Dateien wurden erfolgreich und 1 nicht erfolgreich registriert"));
    EXPECT_EQ(boxes.shown().last().style, MsgStyle::Exclamation);
    EXPECT_EQ(wine.calls().size(), 2); // c.dll was not tried
}

TEST_F(FileTools, OneFileAsksBeforeUnregisteringAndReportsWhyItFailed)
{
    const QString a = dir.writeFile(u("a.dll"), library());
    StandInWine wine;
    form = Open();
    Select({u("a.dll")});
    boxes.queueAnswer(MsgResult::Yes);
    Run("kFileBox_Reg_Off");
    EXPECT_EQ(boxes.shown().first().text, text(Msg::UnregisterOneQuestion, a));
    EXPECT_EQ(boxes.lastText(), u("'%1' wurde erfolgreich entregistriert.").arg(a));

    AppSaveSetting(akOptions, u("StartupPath"), u("/anderswo/"));
    wine.exitWith(5);
    boxes.clear();
    Run("kFileBox_Reg_On"); // one file: no question
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.lastText(), text(Msg::RegisterOneFailed, a, u("registriert")) + u("\n") +
                                    text(Msg::EntryPointFailed, u("DllRegisterServer")));
    EXPECT_EQ(boxes.shown().last().style, MsgStyle::Critical);
    EXPECT_EQ(AppGetSetting(akOptions, u("StartupPath")), u("/anderswo/"));
}

TEST_F(FileTools, TheLibraryCopyAsksAndSelectsTheNewFile)
{
    dir.writeFile(u("ohne.dll"), library());
    const QString source = dir.writeFile(u("a.dll"), library(u("1.2")));
    form = Open();
    Select({u("ohne.dll")});
    Run("kFileBox_DLLCopy");
    EXPECT_EQ(boxes.lastText(), text(Msg::CopyNoVersionInfo, dir.filePath(u("ohne.dll"))));
    EXPECT_EQ(boxes.shown().last().style, MsgStyle::Critical);

    Select({u("a.dll")});
    boxes.queueAnswer(MsgResult::No);
    Run("kFileBox_DLLCopy");
    EXPECT_EQ(boxes.lastText(),
              u("Es wird eine Kopie von 'a.dll' namens 'a_1.2.dll' angelegt.\nFortfahren?"));
    EXPECT_EQ(boxes.shown().last().style, MsgStyle::YesNo | MsgStyle::Question);
    EXPECT_FALSE(QFile::exists(dir.filePath(u("a_1.2.dll"))));

    boxes.queueAnswer(MsgResult::Yes);
    Run("kFileBox_DLLCopy");
    EXPECT_EQ(TempDir::contents(dir.filePath(u("a_1.2.dll"))), TempDir::contents(source));
    EXPECT_EQ(form->CurrentFilePath(), dir.filePath(u("a_1.2.dll")));
}

TEST_F(FileTools, AnExistingCopyStaysUnlessTheUserSaysYes)
{
    const QString source = dir.writeFile(u("a.dll"), library(u("1.2")));
    const QString old = dir.writeFile(u("a_1.2.dll"), "alt");
    form = Open();
    Select({u("a.dll")});
    Run("kFileBox_DLLCopy"); // the default answer is No
    EXPECT_EQ(boxes.lastText(), text(Msg::TargetExistsOverwrite, old));
    EXPECT_EQ(boxes.shown().last().style, 308);
    EXPECT_EQ(TempDir::contents(old), QByteArray("alt"));
    EXPECT_EQ(TempDir::contents(source), library(u("1.2")));

    Select({u("a.dll")});
    boxes.queueAnswer(MsgResult::Yes);
    Run("kFileBox_DLLCopy");
    EXPECT_EQ(TempDir::contents(old), library(u("1.2")));
}
