// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;
class frmHelp;

// The program's help: German HTML pages in a help folder, shown in the
// program's own help window (one per owner window, reused for every topic).
//
// The folder is the one `helpFile` names (a folder, or a page inside it);
// otherwise "help" beside the executable, then the installed data folder
// ("share/tolvane/help"). Without any, Msg::NoHelp is shown.
class Help {
public:
    // Shows the default topic (or the page `helpFile` names). Null when there is no help.
    frmHelp* HTMLHelpOpen(QWidget* owner, const QString& helpFile = {});
    // Shows the topic of a HelpTopicId; an unknown id shows the contents.
    frmHelp* HTMLHelpContext(QWidget* owner, const QString& helpFile, qint32 contextId);
    // Closes the help windows of `owner`; a null owner closes all of them.
    void HTMLHelpCloseAll(QWidget* owner);

    // The help folder for `helpFile`; empty when none is found.
    static QString HelpFolder(const QString& helpFile = {});
    // The help windows open for `owner` (all of them for null).
    static QList<frmHelp*> OpenWindows(QWidget* owner);

    // Replaces the standard places to look in (tests); empty restores them.
    static void setSearchFolders(const QStringList& folders);

private:
    frmHelp* show(QWidget* owner, const QString& helpFile, const QString& page);
};
