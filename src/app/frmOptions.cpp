// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmOptions.h"

#include "core/AppGlobals.h"
#include "core/cuAppError.h"
#include "core/pOptions.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmOptions::frmOptions(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Optionen"));
    chkMinToSysTray = new QCheckBox(QStringLiteral("Beim &Minimieren ins Systray verschieben"), this);
    chkMinToSysTray->setObjectName(QStringLiteral("chkMinToSysTray"));
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkMinToSysTray);
    layout->addStretch();
    layout->addLayout(buttons);

    if (const pOptions* options = AppOptions())
        chkMinToSysTray->setChecked(options->MinToSysTray);
    // Only a click by the user changes the option, not the initial state above.
    connect(chkMinToSysTray, &QCheckBox::clicked, this, [](bool checked) {
        try {
            if (pOptions* options = AppOptions())
                options->MinToSysTray = checked;
        } catch (...) {
            AppErr().ErrMsg(QStringLiteral("frmOptions"), QStringLiteral("chkMinToSysTray_Click"));
        }
    });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}
