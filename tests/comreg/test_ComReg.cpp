// SPDX-License-Identifier: GPL-3.0-or-later
// Registration through a stand-in Wine that records its calls (a real one where
// installed), and the versioned copies of libraries.
#include "comreg/LibraryCopy.h"
#include "comreg/WineRegistrar.h"
#include "comreg/pRegisterFile.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileTimes.h"
#include "support/CrossBuild.h"
#include "support/Raised.h"
#include "support/StandInWine.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>

namespace {
QString text(qint32 number, const QVariant& arg = {})
{
    return AppErr().MsgLoad(number, arg);
}

// The reason a registration failed; empty when it succeeded.
QString Register(const QString& path, bool registering = true)
{
    QString reason;
    return pRegisterFile::RegisterFile(path, registering, {}, reason) ? QString() : reason;
}
} // namespace

TEST(Registration, WineGetsTheWindowsPathAndAQuietEnvironmentAndEachEndHasItsReason)
{
    TempDir dir;
    // A prefix Wine has made already, so the usual time limit holds.
    dir.writeFile(u("prefix/system.reg"));
    qputenv("WINEPREFIX", dir.filePath(u("prefix")).toUtf8());
    StandInWine wine;
    const QString wide = dir.writeFile(u("wide.dll"), ComServerImage());
    const QString narrow = dir.writeFile(u("narrow.ocx"), ComServerImage({}, false));
    const struct {
        int code;
        const QString& file;
        bool registering;
        QString reason;
    } cases[] = {
        {0, wide, false, QString()},
        {1, wide, true, text(Msg::RegsvrBadCall)},
        {3, wide, true, text(Msg::WineCannotLoad)},
        {3, narrow, true, text(Msg::WineCannotLoad) + u(" ") + text(Msg::Needs32BitWine)},
        {4, wide, false, text(Msg::ExportMissing, u("DllUnregisterServer"))},
        {5, wide, true, u("'DllRegisterServer' hat einen Fehler gemeldet.")},
        {9, narrow, true, text(Msg::WineExitCode, 9)},
    };
    for (const auto& c : cases) {
        wine.exitWith(c.code);
        EXPECT_EQ(Register(c.file, c.registering), c.reason) << c.code;
    }
    const QString environment = u("|") + dir.filePath(u("prefix")) + u("|mscoree,mshtml=|-all");
    EXPECT_EQ(
        wine.calls().mid(0, 2),
        (QStringList{u("winepath -w ") + wide + environment,
                     u("regsvr32 /s /u Z:") + QString(wide).replace(u'/', u'\\') + environment}));

    // A time-out or a cancel ends Wine.
    wine.sleepForever();
    WineRegistrar registrar;
    registrar.timeoutMs = 300;
    EXPECT_EQ(registrar.Run(wide, true, true).reason, text(Msg::WineNoAnswer));
    const int timedOut = wine.sleeperPid();
    registrar.timeoutMs = -1;
    const auto started = [&] { return wine.sleeperPid() != 0 && wine.sleeperPid() != timedOut; };
    EXPECT_EQ(registrar.Run(wide, true, true, started).reason, text(Msg::Cancelled));
    for (const int pid : {timedOut, wine.sleeperPid()})
        EXPECT_TRUE(pid > 0 && ::kill(pid, 0) != 0) << pid;

    const StandInWine onlySixtyFour("wine64");
    EXPECT_EQ(Register(wide), QString());
    EXPECT_EQ(onlySixtyFour.calls().size(), 2);
    qunsetenv("WINEPREFIX");
}

TEST(Registration, WhatWineCannotTakeFailsBeforeAnyProcess)
{
    TempDir dir;
    StandInWine wine;
    const struct {
        QString file;
        QString reason;
    } cases[] = {
        {dir.writeFile(u("text.ocx"), "kein Programm"), text(Msg::NotWindowsLibrary)},
        {dir.writeFile(u("ohne.dll"), ComServerImage({}, false, {u("Irgendwas")})),
         text(Msg::ExportMissing, u("DllRegisterServer"))},
        {dir.writeFile(u("typen.OLB"), "MSFT"), text(Msg::TypeLibraryUnsupported)},
        {dir.filePath(u("fehlt.dll")), u("Datei oder Ordner nicht vorhanden.")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Register(c.file), c.reason) << c.file.toStdString();
    // Wine is looked for at each run.
    const StandInWine hidden("wine", false);
    EXPECT_EQ(Register(dir.writeFile(u("b.dll"), ComServerImage())), text(Msg::WineMissing));
    EXPECT_TRUE(wine.calls().isEmpty());
}

TEST(RegistrableFiles, TheListComesFromActiveXAndAskingStoresNothing)
{
    const pRegisterFile asking;
    EXPECT_FALSE(AppValueExists(akOptions, u("ActiveX")));
    for (const char* name : {"a.dll", "/pfad/B.OCX", "c.Tlb", "d.olb"})
        EXPECT_TRUE(asking.IsActiveX(u(name))) << name;
    for (const char* name : {"a.exe", "dll", "ordner.dll/datei"})
        EXPECT_FALSE(asking.IsActiveX(u(name))) << name;
    AppSaveSetting(akOptions, u("ActiveX"), u("dll;ocx"));
    EXPECT_FALSE(pRegisterFile().IsActiveX(u("c.tlb")));
}

// Needs Debian's "wine": a server whose entry points succeed, and one whose
// registration reports a failure.
TEST(RealWine, AMingwLibraryRegistersAndUnregisters)
{
    if (WineRegistrar::FindWine().isEmpty())
        GTEST_SKIP() << "Wine is not installed (Debian package wine): no real registration";
    TempDir dir;
    const QByteArray source = "#include <windows.h>\n"
                              "__declspec(dllexport) HRESULT __stdcall DllRegisterServer(void)"
                              " { return FAILS; }\n"
                              "__declspec(dllexport) HRESULT __stdcall DllUnregisterServer(void)"
                              " { return S_OK; }\n";
    const QString prefix = u("x86_64-w64-mingw32");
    const QString good = CrossBuild(dir, prefix, "#define FAILS S_OK\n" + source, {}, u("gut.dll"));
    const QString bad =
        CrossBuild(dir, prefix, "#define FAILS E_FAIL\n" + source, {}, u("schlecht.dll"));
    if (good.isEmpty())
        GTEST_SKIP() << "mingw-w64 tool chain not installed";
    qputenv("WINEPREFIX", dir.filePath(u("prefix")).toUtf8());
    EXPECT_EQ(Register(good), QString());
    EXPECT_EQ(Register(good, false), QString());
    EXPECT_EQ(Register(bad), text(Msg::EntryPointFailed, u("DllRegisterServer")));
    qunsetenv("WINEPREFIX");
}

TEST(LibraryCopy, TheVersionBecomesPartOfTheNameAndNothingElse)
{
    const struct {
        const char* name;
        const char* version;
        const char* copy;
    } cases[] = {
        {"a.b.OCX", "1.0", "a.b_1.0.OCX"},
        {"a.dll", " 1.0/../../x ", "a_1.0_.._.._x.dll"},
        {"a.dll", "1\t2\n", "a_1_2_.dll"},
        {"ohne", "2", "ohne_2"},
        {"a.dll", "  ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LibraryCopy::VersionedName(u(c.name), u(c.version)), u(c.copy)) << c.version;
    TempDir dir;
    EXPECT_EQ(LibraryCopy(dir.writeFile(u("b.dll"), ComServerImage())).NewName(),
              u("b_2.03.04123.dll"));
    const LibraryCopy longer(dir.writeFile(u("a.dll"), ComServerImage(QString(300, u'9'))));
    EXPECT_EQ(Raised([&] { longer.Copy(false); }).Description,
              text(Msg::NameTooLong, longer.NewName()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(LibraryCopy, TheCopyIsWholeAndReplacesOnlyWhenAsked)
{
    TempDir dir;
    const QString source = dir.writeFile(u("a.dll"), ComServerImage(u("1.2")));
    ::chmod(QFile::encodeName(source).constData(), 0750);
    constexpr FileTimes::Stamp kModified{1500000000, 250000000};
    FileTimes::write(source, FileTimes::Modification, kModified);
    const LibraryCopy copy(source);
    copy.Copy(false);
    const QString made = dir.filePath(u("a_1.2.dll"));
    EXPECT_EQ(TempDir::contents(made), TempDir::contents(source));
    EXPECT_EQ(FileTimes::read(made, FileTimes::Modification), kModified);
    EXPECT_EQ(QFile::permissions(made), QFile::permissions(source));

    // A file that appeared after the question is not replaced.
    dir.writeFile(u("a_1.2.dll"), "alt");
    EXPECT_EQ(Raised([&] { copy.Copy(false); }).Description, text(Msg::TargetExists, made));
    // The source gone after Yes: the old file stays, nothing is left behind.
    QFile::rename(source, dir.filePath(u("weg")));
    EXPECT_EQ(Raised([&] { copy.Copy(true); }).Description, text(Msg::FileMissing, source));
    EXPECT_EQ(TempDir::contents(made), QByteArray("alt"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{u("a_1.2.dll"), u("weg")}));
}
