// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"
#include "core/AppGlobals.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {
// The windows a user works in (menus, tool tips and the greeting, which
// goes by itself, are not).
QList<QWidget*> openWindows()
{
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (w->isVisible() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen)
            windows << w;
    }
    return windows;
}

// For process tests: every `delayMs` while the program runs, lists the open
// windows on standard output and closes the one a user would deal with
// first (a modal box before the rest). With TOLVANE_TEST_BOX_ANSWER=default
// a message box is answered with its default button instead of closed.
void closeFirstWindowLater(int delayMs)
{
    QTimer::singleShot(delayMs, qApp, [delayMs] {
        const QList<QWidget*> windows = openWindows();
        for (QWidget* w : windows)
            std::printf("window: %s\n", qPrintable(w->objectName()));
        std::fflush(stdout);
        QWidget* first = QApplication::activeModalWidget();
        if (!first && !windows.isEmpty())
            first = windows.first();
        auto* box = qobject_cast<QMessageBox*>(first);
        if (box && box->defaultButton() &&
            qEnvironmentVariable("TOLVANE_TEST_BOX_ANSWER") == QLatin1String("default"))
            box->defaultButton()->click();
        else if (first)
            first->close();
        closeFirstWindowLater(delayMs);
    });
}
} // namespace

int main(int argc, char** argv)
{
    // Answered before the window system is touched, so they work without a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const QString info = CommandLineInfo(arguments); !info.isEmpty()) {
        std::fputs(info.toUtf8().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    SetApplicationIdentity();
    // Armed before start-up, so a modal box shown while starting cannot hang a process test.
    if (const int delayMs = qEnvironmentVariableIntValue("TOLVANE_TEST_CLOSE_AFTER_MS");
        delayMs > 0)
        closeFirstWindowLater(delayMs);
    Main(QApplication::arguments().mid(1));
    // A start that failed, or a run that ended while starting (a slideshow
    // declined or with nothing to show), left nothing to wait for.
    if (openWindows().isEmpty()) {
        AppShutdown();
        return AppExitCode();
    }
    const int loopCode = app.exec();
    return AppExitCode() != 0 ? AppExitCode() : loopCode;
}
