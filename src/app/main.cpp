// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {
// For process tests: after the delay, lists the open windows on standard
// output and closes the first of them the way a user's click would.
void closeFirstWindowLater(int delayMs)
{
    QTimer::singleShot(delayMs, qApp, [] {
        QWidget* first = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip)
                continue;
            std::printf("window: %s\n", qPrintable(w->objectName()));
            first = first ? first : w;
        }
        std::fflush(stdout);
        if (first)
            first->close();
    });
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tolvane"));
    // Lets the desktop match the windows to tolvane.desktop (its icon, its actions).
    QGuiApplication::setDesktopFileName(QStringLiteral("tolvane"));
    QIcon icon;
    for (const QString& png : QDir(QStringLiteral(":/icons")).entryList(QDir::Files))
        icon.addFile(QStringLiteral(":/icons/") + png);
    QApplication::setWindowIcon(icon);
    // Armed before start-up, so a modal box shown while starting cannot hang a process test.
    if (const int delayMs = qEnvironmentVariableIntValue("TOLVANE_TEST_CLOSE_AFTER_MS");
        delayMs > 0)
        closeFirstWindowLater(delayMs);
    Main(QApplication::arguments().mid(1));
    if (QApplication::topLevelWidgets().isEmpty())
        return 0;
    return app.exec();
}
