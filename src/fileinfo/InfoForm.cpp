// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/InfoForm.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QLineEdit>

QLineEdit* InfoForm::AddField(QFormLayout* form, const char* name, const char* label)
{
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setFrame(false);
    // The window's own background: these fields are read, not filled in.
    field->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    form->addRow(QString::fromUtf8(label), field);
    return field;
}

QCheckBox* InfoForm::ShownOnlyBox(QWidget* parent, const QString& caption, int index)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QStringLiteral("chkAttr%1").arg(index));
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QFrame* InfoForm::Separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void InfoForm::ShowStarts(QWidget* root)
{
    for (QLineEdit* field : root->findChildren<QLineEdit*>())
        field->setCursorPosition(0);
}
