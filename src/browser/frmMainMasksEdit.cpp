// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/frmMainMasksEdit.h"

#include "browser/HandlerRunner.h"

#include "browser/MaskEditCheck.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/MessageBoxService.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmMainMasksEdit::frmMainMasksEdit(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMainMasksEdit"));
    Label1 = new QLabel(QStringLiteral("Name"), this);
    Label2 = new QLabel(QStringLiteral("Dateierweiterungen"), this);
    for (int i = 0; i < 2; ++i) {
        txt[i] = new QLineEdit(this);
        txt[i]->setObjectName(QStringLiteral("txt%1").arg(i));
        txt[i]->installEventFilter(this);
        connect(txt[i], &QLineEdit::textChanged, this, [this] { txt_Change(); });
    }
    Label1->setBuddy(txt[0]);
    Label2->setBuddy(txt[1]);
    lblDesc = new QLabel(this);
    lblDesc->setWordWrap(true);
    lblDesc->setMinimumHeight(lblDesc->fontMetrics().height() * 3);
    lblDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    connect(cmdOK, &QPushButton::clicked, this, &frmMainMasksEdit::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMainMasksEdit::cmdCancel_Click);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txt[0], 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(txt[1], 1, 1);
    grid->addWidget(lblDesc, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    resize(420, sizeHint().height());
    SetP_Mode(Mode::Edit);
    txt_Change();
}

void frmMainMasksEdit::SetP_Mode(Mode mode)
{
    setWindowTitle(AppErr().MsgLoad(mode == Mode::Edit ? Msg::EditMaskTitle : Msg::AddMaskTitle));
}

void frmMainMasksEdit::txt_Change()
{
    cmdOK->setEnabled(!txt[0]->text().isEmpty() && !txt[1]->text().isEmpty());
}

bool frmMainMasksEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == txt[0])
            lblDesc->setText(AppErr().MsgLoad(139));
        else if (watched == txt[1])
            lblDesc->setText(AppErr().MsgLoad(140));
    }
    return QDialog::eventFilter(watched, event);
}

void frmMainMasksEdit::cmdOK_Click()
{
    RunHandler("frmMainMasksEdit", "cmdOK_Click", [&] {
        const MaskEditCheck check = MaskEditCheck::Run(txt[0]->text(), txt[1]->text());
        if (check.message != 0) {
            AppErr().MsgShow(check.message, MsgStyle::Exclamation,
                             check.argument.isNull() ? QVariant() : QVariant(check.argument));
            txt[check.field]->setFocus();
            txt[check.field]->selectAll();
            return;
        }
        chkCancel = 0;
        accept();
    });
}

void frmMainMasksEdit::cmdCancel_Click()
{
    chkCancel = 1;
    QDialog::reject();
}
