// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmOptions.h"

#include "browser/HandlerRunner.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/pOptions.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmOptions::frmOptions(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Optionen"));
    chkMinToSysTray =
        new QCheckBox(QStringLiteral("Beim &Minimieren ins Systray verschieben"), this);
    chkMinToSysTray->setObjectName(QStringLiteral("chkMinToSysTray"));
    txtEditor = new QLineEdit(this);
    txtEditor->setObjectName(QStringLiteral("txtEditor"));
    txtEditor->setText(AppGetSetting(akOptions, QStringLiteral("Editor")));
    txtEditor->setPlaceholderText(QStringLiteral("Standardprogramm für Textdateien"));
    auto* lblEditor = new QLabel(QStringLiteral("&Editor:"), this);
    lblEditor->setBuddy(txtEditor);
    auto* lblEditorHint =
        new QLabel(QStringLiteral("Befehl zum Öffnen im Editor, zum Beispiel: gedit %1\n"
                                  "%1 steht für die Datei; ohne %1 wird sie am Ende angefügt."),
                   this);
    lblEditorHint->setObjectName(QStringLiteral("lblEditorHint"));
    lblEditorHint->setWordWrap(true);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkMinToSysTray);
    auto* editor = new QFormLayout;
    editor->addRow(lblEditor, txtEditor);
    editor->addRow(QString(), lblEditorHint);
    layout->addLayout(editor);
    layout->addStretch();
    layout->addLayout(buttons);

    if (const pOptions* options = AppOptions())
        chkMinToSysTray->setChecked(options->MinToSysTray);
    // Only a click by the user changes the option, not the initial state above.
    connect(chkMinToSysTray, &QCheckBox::clicked, this, [](bool checked) {
        RunHandler("frmOptions", "chkMinToSysTray_Click", [checked] {
            if (pOptions* options = AppOptions())
                options->MinToSysTray = checked;
        });
    });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // However the dialog ends, the editor typed is the one that opens files.
    connect(this, &QDialog::finished, this, [this] {
        RunHandler("frmOptions", "Form_Unload", [this] {
            AppSaveSetting(akOptions, QStringLiteral("Editor"), txtEditor->text().trimmed());
        });
    });
    setMinimumWidth(420);
}
