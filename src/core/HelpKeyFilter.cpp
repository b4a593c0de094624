// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HelpKeyFilter.h"

#include "core/Help.h"
#include "core/HelpTopics.h"
#include "core/cuAppError.h"
#include "core/frmHelp.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

void HelpKeyFilter::Install()
{
    static HelpKeyFilter* filter = nullptr;
    if (!filter) {
        filter = new HelpKeyFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (qobject_cast<frmHelp*>(window))
        return true; // already in the help
    if (auto* entry = window->findChild<QAction*>(QStringLiteral("mHelp_Help"))) {
        entry->trigger();
        return true;
    }
    QString name = window->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(window->metaObject()->className());
    Help().HTMLHelpContext(window, cuAppError::ApplicationHelpFile(), HelpTopicOfWindow(name));
    return true;
}
