// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QWidget;

// Windows that can be opened by their class name: the tools a command-line
// switch runs alone (the switches themselves are in CommandLine.cpp).
//
// A tool adds one row to kForms in FormTable.cpp:
//     {"frmDirComp", createTool<frmDirComp>},
// Its window class takes an owner (`explicit frmDirComp(QWidget* owner)`)
// and, when it unloads while RunsAlone() (core/AppGlobals.h) is true, emits
// `shutdownRequested()`; the row connects that to AppShutdown. A tool whose
// start fails raises, and the run ends with exit code 1.
bool FormClassKnown(const QString& className);

// Creates the window and shows it, modal (1) or modeless (0), with an owner
// or none. Raises when the class is unknown. Returns the window shown
// (deleted when closed).
QWidget* ShowFormByName(const QString& className, int modalStyle = 0, QWidget* owner = nullptr);

// Closes and unloads windows from the last to the first; with no list, every
// open top-level window.
void UnloadAllForms(QList<QWidget*>* forms = nullptr);

// What "/Slideshow PATH" hands its path to: true when it took the run over
// (it then sets StartedByCmdLine itself and shows its window; a start that
// fails sets the exit code, one that raises ends the run with 1).
using SlideshowRunner = bool (*)(const QString& path);
SlideshowRunner CommandLineSlideshow();
