// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "core/cuRecentFiles.h"
#include "filetimes/frmDatePicker.h"
#include "platform/FileTimes.h"
#include "support/StandInWine.h"
#include "support/TestText.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
// Answers the next date dialog: the mode, and a date text or (empty) the reset.
void AnswerDates(int mode, const QString& date, QString* title = nullptr)
{
    WhenModal<frmDatePicker>([=](frmDatePicker* picker) {
        if (title)
            *title = picker->windowTitle();
        picker->cmbEditMode->setCurrentIndex(mode);
        picker->optAction[date.isEmpty() ? 1 : 0]->click();
        picker->txtDate->setText(date);
        picker->cmdOK->click();
    });
}

// A file's time as the test's clock shows it.
QString timeOf(const QString& path, FileTimes::Which which)
{
    const auto stamp = FileTimes::read(path, which);
    return stamp ? QDateTime::fromSecsSinceEpoch(stamp->seconds).toString(u("dd.MM.yyyy HH:mm:ss"))
                 : QString();
}

class FileTools : public MainWindowTest {
protected:
    // Selects `names` unless empty, queues the answers to the questions to come, runs `entry`.
    void Run(const char* entry, const QStringList& names = {}, const QList<int>& answers = {})
    {
        if (!names.isEmpty())
            Select(*form, names);
        for (const int answer : answers)
            boxes.queueAnswer(answer);
        Entry(*form, entry)->trigger();
    }
    // The last message box's text and its buttons and icon.
    void ExpectReport(const QString& text, int style) const
    {
        EXPECT_EQ(boxes.lastText(), text);
        EXPECT_EQ(boxes.shown().last().style, style);
    }

    std::unique_ptr<frmMain> form;
};
} // namespace

TEST_F(FileTools, FileAndFolderDatesAndAnAccessTimeThatSurvivesThePane)
{
    const QString folder = dir.makeDir(u("Unter"));
    QImage(4, 4, QImage::Format_RGB32).save(dir.filePath(u("bild.png")));
    dir.writeFile(u("text.txt"), "Zeile\n");
    dir.writeFile(u("prog.dll"), ComServerImage(u("1.0")));
    dir.writeFile(u("ohne"), "irgendwas");
    const QStringList files{u("bild.png"), u("text.txt"), u("prog.dll"), u("ohne")};
    form = Open();
    QString title;
    AnswerDates(3, u("24.12.2021 18:30"), &title);
    Run("kFileBox_Date", files);
    EXPECT_EQ(title, u("Datum/Uhrzeit - (Mehrfachauswahl)"));
    ExpectReport(u("4 Dateien wurden geändert.\nDas Erstellungsdatum bleibt unverändert."),
                 MsgStyle::Information);
    // Reading a file for the pane moves a past access time back to now
    // (relatime), unless it is read as the pane reads.
    for (const QString& name : files) {
        Select(*form, {name});
        form->ShowFileIno();
        EXPECT_EQ(timeOf(dir.filePath(name), FileTimes::Access), u("24.12.2021 18:30:00"))
            << name.toStdString();
    }

    // The folder's date, and why it could not be changed.
    form->OpenFolder(folder);
    FileTimes::write(folder, FileTimes::Modification, {1640367015, 0}); // 24.12.2021 18:30:15
    AnswerDates(2, QString());
    Run("kDirBox_Date");
    EXPECT_EQ(boxes.lastText(),
              u("Datum/Uhrzeit des Ordners '%1' wurden geändert.").arg(folder.chopped(1)));
    EXPECT_EQ(timeOf(folder, FileTimes::Modification), u("24.12.2021 00:00:00"));

    WhenModal<frmDatePicker>([&folder](frmDatePicker* picker) {
        QDir().rmdir(folder);
        picker->cmdOK->click();
    });
    Run("kDirBox_Date");
    EXPECT_EQ(boxes.lastText(), u("Datum/Uhrzeit des Ordners '%1' konnten nicht geändert werden.\n"
                                  "Datei oder Ordner nicht vorhanden.")
                                    .arg(folder.chopped(1)));
}

TEST_F(FileTools, RegisteringStopsOnNoAfterAFailureAndReportsTheCount)
{
    const QString folder = dir.makeDir(u("Komponenten"));
    for (const char* name : {"a.dll", "b.dll", "c.dll"})
        dir.writeFile(u("Komponenten/") + u(name), ComServerImage());
    dir.writeFile(u("Komponenten/bad.ocx"), "kein Programm");
    AppSaveSetting(akOptions, u("StartupPath"), folder);
    StandInWine wine;
    form = Open();
    form->SetMaskText(u("*.dll;*.ocx"));
    AppSaveSetting(akOptions, u("StartupPath"), u("/anderswo/"));

    Run("kFileBox_Reg_On", {u("a.dll"), u("bad.ocx"), u("c.dll")}, {MsgResult::Yes, MsgResult::No});
    EXPECT_EQ(QString(boxes.shown().at(1).text).replace(u("\r\n"), u("\n")),
              u("'%1bad.ocx' konnte nicht erfolgreich registriert werden.\nDie Datei ist keine "
                "Windows-Programmbibliothek.\nFortfahren?")
                  .arg(folder));
    EXPECT_EQ(boxes.shown().at(1).style, MsgStyle::YesNo | MsgStyle::Critical);
    ExpectReport(u("1 Dateien wurden erfolgreich und 1 nicht erfolgreich registriert"),
                 MsgStyle::Exclamation);
    EXPECT_EQ(wine.calls().size(), 2); // c.dll was not tried
    // The folder keeps its case; the mask and the last file are remembered.
    EXPECT_EQ(AppGetSetting(akOptions, u("StartupPath")), folder);
    EXPECT_EQ(AppGetSetting(akOptions, u("StartupMask")), u("*.dll;*.ocx"));
    EXPECT_EQ(form->RecentRegFiles().Item(1).FullPath, folder + u("a.dll"));
    EXPECT_EQ(AppGetSetting(akOptions, u("ActiveX")), u("dll;ocx;olb;tlb"));

    Run("kFileBox_Reg_On", {u("b.dll"), u("c.dll")}, {MsgResult::Yes});
    ExpectReport(u("2 Dateien wurden erfolgreich registriert."), MsgStyle::Information);
    Run("kFileBox_Reg_Off", {u("a.dll")}, {MsgResult::Yes});
    EXPECT_EQ(boxes.lastText(), u("'%1a.dll' wurde erfolgreich entregistriert.").arg(folder));
}

TEST_F(FileTools, TheLibraryCopyAsksAndSelectsTheNewFile)
{
    dir.writeFile(u("a.dll"), ComServerImage(u("1.2")));
    const QString copy = dir.filePath(u("a_1.2.dll"));
    form = Open();
    Run("kFileBox_DLLCopy", {u("a.dll")}, {MsgResult::No});
    ExpectReport(u("Es wird eine Kopie von 'a.dll' namens 'a_1.2.dll' angelegt.\nFortfahren?"),
                 MsgStyle::YesNo | MsgStyle::Question);
    EXPECT_FALSE(QFile::exists(copy));
    Run("kFileBox_DLLCopy", {}, {MsgResult::Yes});
    EXPECT_EQ(form->CurrentFilePath(), copy);

    dir.writeFile(u("a_1.2.dll"), "alt");
    Run("kFileBox_DLLCopy", {u("a.dll")}); // the default answer is No
    ExpectReport(u("Die Zieldatei '%1' existiert bereits. Überschreiben?").arg(copy), 308);
    EXPECT_EQ(TempDir::contents(copy), QByteArray("alt"));
    Run("kFileBox_DLLCopy", {}, {MsgResult::Yes});
    EXPECT_EQ(TempDir::contents(copy), ComServerImage(u("1.2")));
}
