// SPDX-License-Identifier: GPL-3.0-or-later
// Registration through a stand-in Wine that records how it was called; a
// real Wine, where installed, registers a library built with mingw-w64.
#include "comreg/WineRegistrar.h"
#include "comreg/pRegisterFile.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "support/CrossBuild.h"
#include "support/PeWriter.h"
#include "support/StandInWine.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QDir>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>

namespace {
QString text(qint32 number, const QVariant& arg = {})
{
    return AppErr().MsgLoad(number, arg);
}

QString library(const TempDir& dir, const QString& name, bool pe32Plus,
                const QStringList& exports = {u("DllRegisterServer"), u("DllUnregisterServer")})
{
    PeWriter w;
    w.pe32Plus = pe32Plus;
    w.exports = exports;
    return dir.writeFile(name, w.build());
}

bool alive(int pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH);
}

class Registration : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A prefix Wine has made already, so the usual time limit holds.
        prefix = dir.makeDir(u("prefix"));
        dir.writeFile(u("prefix/system.reg"));
        qputenv("WINEPREFIX", prefix.toUtf8());
    }
    void TearDown() override { qunsetenv("WINEPREFIX"); }

    QString Register(const QString& path, bool registering = true)
    {
        QString reason;
        return pRegisterFile::RegisterFile(path, registering, {}, reason) ? QString() : reason;
    }

    TempDir dir;
    QString prefix;
};
} // namespace

TEST_F(Registration, WineGetsTheWindowsPathTheSwitchesAndAQuietEnvironment)
{
    StandInWine wine;
    const QString dll = library(dir, u("server.dll"), true);
    EXPECT_EQ(Register(dll), QString());
    EXPECT_EQ(Register(dll, false), QString());
    const QString windows = u("Z:") + QString(dll).replace(u'/', u'\\');
    const QString environment = u("|") + prefix + u("|mscoree,mshtml=|-all");
    EXPECT_EQ(wine.calls(), (QStringList{u("winepath -w ") + dll + environment,
                                         u("regsvr32 /s ") + windows + environment,
                                         u("winepath -w ") + dll + environment,
                                         u("regsvr32 /s /u ") + windows + environment}));
}

TEST_F(Registration, WithoutWineTheSixtyFourBitOneIsTaken)
{
    StandInWine wine("wine64");
    EXPECT_EQ(Register(library(dir, u("a.dll"), true)), QString());
    EXPECT_EQ(wine.calls().size(), 2);
}

TEST_F(Registration, EachExitCodeHasItsReason)
{
    StandInWine wine;
    const QString wide = library(dir, u("wide.dll"), true);
    const QString narrow = library(dir, u("narrow.ocx"), false);
    const struct {
        int code;
        const QString* file;
        bool registering;
        QString reason;
    } cases[] = {
        {0, &wide, true, QString()},
        {1, &wide, true, text(Msg::RegsvrBadCall)},
        {3, &wide, true, text(Msg::WineCannotLoad)},
        {3, &narrow, true, text(Msg::WineCannotLoad) + u(" ") + text(Msg::Needs32BitWine)},
        {4, &wide, false, text(Msg::ExportMissing, u("DllUnregisterServer"))},
        {5, &wide, true, text(Msg::EntryPointFailed, u("DllRegisterServer"))},
        {9, &narrow, true, text(Msg::WineExitCode, 9)},
    };
    for (const auto& c : cases) {
        wine.exitWith(c.code);
        EXPECT_EQ(Register(*c.file, c.registering), c.reason) << c.code;
    }
    EXPECT_EQ(text(Msg::EntryPointFailed, u("DllRegisterServer")),
              u("'DllRegisterServer' hat einen Fehler gemeldet."));
}

TEST_F(Registration, ATimeOutOrACancelEndsWine)
{
    StandInWine wine;
    wine.sleepForever();
    const QString dll = library(dir, u("a.dll"), true);
    WineRegistrar registrar;
    registrar.timeoutMs = 300;
    WineRegistrar::Outcome outcome = registrar.Run(dll, true, true);
    EXPECT_EQ(outcome.reason, text(Msg::WineNoAnswer));
    EXPECT_FALSE(alive(wine.sleeperPid()));

    QFile::remove(wine.folder() + u("/sleeper.pid"));
    registrar.timeoutMs = -1;
    outcome = registrar.Run(dll, true, true, [&wine] { return wine.sleeperPid() != 0; });
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.reason, text(Msg::Cancelled));
    EXPECT_FALSE(alive(wine.sleeperPid()));
}

TEST_F(Registration, WhatWineCannotTakeFailsBeforeAnyProcess)
{
    StandInWine wine;
    const struct {
        QString file;
        QString reason;
    } cases[] = {
        {dir.writeFile(u("text.ocx"), "kein Programm"), text(Msg::NotWindowsLibrary)},
        {library(dir, u("ohne.dll"), false, {u("Irgendwas")}),
         text(Msg::ExportMissing, u("DllRegisterServer"))},
        {dir.writeFile(u("typen.tlb"), "MSFT"), text(Msg::TypeLibraryUnsupported)},
        {dir.writeFile(u("typen.OLB"), "MSFT"), text(Msg::TypeLibraryUnsupported)},
        {dir.filePath(u("fehlt.dll")), u("Datei oder Ordner nicht vorhanden.")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Register(c.file), c.reason) << c.file.toStdString();
    EXPECT_TRUE(wine.calls().isEmpty());

    const StandInWine hidden("wine", false);
    EXPECT_EQ(Register(library(dir, u("b.dll"), true)), text(Msg::WineMissing));
    EXPECT_TRUE(hidden.calls().isEmpty());
}

TEST(RegistrableFiles, TheListComesFromActiveXWrittenWhenMissing)
{
    const pRegisterFile asking;
    EXPECT_FALSE(AppValueExists(akOptions, u("ActiveX")));
    EXPECT_TRUE(asking.IsActiveX(u("a.tlb")));
    const pRegisterFile standard(pRegisterFile::Default::UseAndStore);
    EXPECT_EQ(AppGetSetting(akOptions, u("ActiveX")), u("dll;ocx;olb;tlb"));
    for (const char* name : {"a.dll", "/pfad/B.OCX", "c.Tlb", "d.olb"})
        EXPECT_TRUE(standard.IsActiveX(u(name))) << name;
    for (const char* name : {"a.exe", "dll", "ordner.dll/datei", "a.dll.bak"})
        EXPECT_FALSE(standard.IsActiveX(u(name))) << name;

    AppSaveSetting(akOptions, u("ActiveX"), u("dll;ocx"));
    const pRegisterFile own;
    EXPECT_FALSE(own.IsActiveX(u("c.tlb")));
    EXPECT_TRUE(own.IsActiveX(u("c.OCX")));
}

// Needs Wine: Debian's "wine" package. Builds a server whose entry points
// succeed, and one whose registration reports a failure.
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
    const QString good = CrossBuild(dir, u("x86_64-w64-mingw32"),
                                    QByteArray("#define FAILS S_OK\n") + source, {}, u("gut.dll"));
    const QString bad =
        CrossBuild(dir, u("x86_64-w64-mingw32"), QByteArray("#define FAILS E_FAIL\n") + source, {},
                   u("schlecht.dll"));
    if (good.isEmpty())
        GTEST_SKIP() << "mingw-w64 tool chain not installed";
    qputenv("WINEPREFIX", dir.filePath(u("prefix")).toUtf8());
    QString reason;
    EXPECT_TRUE(pRegisterFile::RegisterFile(good, true, {}, reason)) << reason.toStdString();
    EXPECT_TRUE(pRegisterFile::RegisterFile(good, false, {}, reason)) << reason.toStdString();
    EXPECT_FALSE(pRegisterFile::RegisterFile(bad, true, {}, reason));
    EXPECT_EQ(reason, text(Msg::EntryPointFailed, u("DllRegisterServer")));
    qunsetenv("WINEPREFIX");
}
