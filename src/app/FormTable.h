// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QWidget;

// Windows that can be opened by their class name: the tools a command-line
// switch runs alone. A fixed table; each tool adds its row when it exists.
bool FormClassKnown(const QString& className);

// Creates the window and shows it, modal (1) or modeless (0), with an owner
// or none. Raises when the class is unknown. Returns the window shown
// (deleted when closed).
QWidget* ShowFormByName(const QString& className, int modalStyle = 0, QWidget* owner = nullptr);

// Closes and unloads windows from the last to the first; with no list, every
// open top-level window.
void UnloadAllForms(QList<QWidget*>* forms = nullptr);
