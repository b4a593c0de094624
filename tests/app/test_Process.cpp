// SPDX-License-Identifier: GPL-3.0-or-later
// The tolvane program as a user's shell starts it.
#include "app/FormTable.h"
#include "core/Version.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

namespace {
struct ProcessRun {
    int code = -1; // -1: crashed or never finished
    QString out;
};

ProcessRun runTolvane(const QStringList& args, const QList<std::pair<QString, QString>>& env,
                      bool withoutDisplay = false)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const auto& [name, value] : env)
        environment.insert(name, value);
    if (withoutDisplay) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }
    QProcess tolvane;
    tolvane.setProcessEnvironment(environment);
    tolvane.start(QStringLiteral(TOLVANE_BINARY), args);
    ProcessRun run;
    if (!tolvane.waitForFinished(30000)) {
        tolvane.kill();
        tolvane.waitForFinished();
        return run;
    }
    if (tolvane.exitStatus() == QProcess::NormalExit)
        run.code = tolvane.exitCode();
    run.out = QString::fromUtf8(tolvane.readAllStandardOutput());
    return run;
}

const std::pair<QString, QString> kCloseSoon{QStringLiteral("TOLVANE_TEST_CLOSE_AFTER_MS"),
                                             QStringLiteral("200")};
} // namespace

TEST(TolvaneProcess, VersionAndHelpAnswerWithoutADisplay)
{
    const ProcessRun version = runTolvane({QStringLiteral("--version")}, {}, true);
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, QStringLiteral("Tolvane %1\n").arg(ProgramVersion()));

    const ProcessRun help =
        runTolvane({QStringLiteral("/Calc"), QStringLiteral("--help")}, {}, true);
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Aufruf: tolvane"))) << help.out.toStdString();
    // Only the tools this build has are offered.
    const std::pair<const char*, const char*> tools[] = {
        {"/DirComp ", "frmDirComp"}, {"/Calc ", "frmCalculator"}, {"/ICalc ", "frmInterestCalc"}};
    for (const auto& [option, form] : tools)
        EXPECT_EQ(help.out.contains(QLatin1String(option)), FormClassKnown(QLatin1String(form)))
            << option;
    EXPECT_EQ(help.out.contains(QLatin1String("/Slideshow PFAD")),
              CommandLineSlideshow() != nullptr);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--version")));
}

TEST(TolvaneProcess, SingleToolRunEndsWithItsWindowOrWithOneWhenItCannotStart)
{
    // Closing the tool ends the run; a tool that cannot open shows why, and
    // once the box is closed the run ends as a failure.
    const std::pair<const char*, const char*> tools[] = {{"/calc", "frmCalculator"},
                                                         {"/DIRCOMP", "frmDirComp"}};
    for (const auto& [option, form] : tools) {
        const ProcessRun closed = runTolvane({QLatin1String(option)}, {kCloseSoon});
        EXPECT_EQ(closed.code, 0) << option;
        EXPECT_EQ(closed.out.trimmed(), QStringLiteral("window: ") + QLatin1String(form));
    }

    TempDir dir;
    const QString bad =
        dir.writeFile(QStringLiteral("zahl.ini"), "[Options]\nInterval=fünf\n[Folders]\n1=.\n");
    const ProcessRun failed = runTolvane({QStringLiteral("/Slideshow"), bad}, {kCloseSoon});
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.out.trimmed(), QStringLiteral("window:")) << "only the error box opened";
}

TEST(TolvaneProcess, ASlideshowAsksPlaysAndEndsWithItsWindow)
{
    TempDir dir;
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    picture.save(dir.filePath(QStringLiteral("einzig.png")));
    // OK to 154; the show of one picture ends at once ("Slideshow beendet.",
    // OK); then its window is closed.
    const ProcessRun played =
        runTolvane({QStringLiteral("/Slideshow"), dir.path()},
                   {{QStringLiteral("TOLVANE_TEST_CLOSE_AFTER_MS"), QStringLiteral("500")},
                    {QStringLiteral("TOLVANE_TEST_BOX_ANSWER"), QStringLiteral("default")}});
    EXPECT_EQ(played.code, 0);
    QStringList seen = played.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& line : seen)
        line = line.trimmed();
    seen.sort();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("window:"), QStringLiteral("window:"),
                                 QStringLiteral("window: frmSlideshow"),
                                 QStringLiteral("window: frmSlideshow")}))
        << played.out.toStdString();

    // Closing the question is Cancel: the run ends at once.
    const ProcessRun cancelled =
        runTolvane({QStringLiteral("/Slideshow"), dir.path()}, {kCloseSoon});
    EXPECT_EQ(cancelled.code, 0);
    EXPECT_EQ(cancelled.out.trimmed(), QStringLiteral("window:"));
}
