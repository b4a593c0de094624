// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QCheckBox;
class QFormLayout;
class QFrame;
class QLineEdit;
class QWidget;

// The pieces both information windows are made of.
namespace InfoForm {
// A read-only field named `name` in a row with `label`.
QLineEdit* AddField(QFormLayout* form, const char* name, const char* label);
// A check box that only shows a value: neither mouse nor keyboard change it.
// Named chkAttr<index>.
QCheckBox* ShownOnlyBox(QWidget* parent, const QString& caption, int index);
// Every field below `root` shows the start of its text: a long path is read
// from its beginning.
void ShowStarts(QWidget* root);
// The engraved line between groups of rows.
QFrame* Separator(QWidget* parent);
} // namespace InfoForm
