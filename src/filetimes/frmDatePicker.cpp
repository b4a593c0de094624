// SPDX-License-Identifier: GPL-3.0-or-later
#include "filetimes/frmDatePicker.h"

#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "filetimes/DateInput.h"
#include "filetimes/pDateTime.h"
#include "platform/MessageBoxService.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {
constexpr int kBirthItem = 0;
constexpr int kAllItem = 3;
} // namespace

frmDatePicker::frmDatePicker(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmDatePicker"));
    setWindowTitle(QStringLiteral("Datum/Uhrzeit"));

    cmbEditMode = new QComboBox(this);
    cmbEditMode->setObjectName(QStringLiteral("cmbEditMode"));
    cmbEditMode->addItems({QStringLiteral("Erstellungsdatum"), QStringLiteral("Letzter Zugriff"),
                           QStringLiteral("Änderungsdatum"), QStringLiteral("Alles")});
    if (auto* items = qobject_cast<QStandardItemModel*>(cmbEditMode->model())) {
        QStandardItem* birth = items->item(kBirthItem);
        birth->setFlags(birth->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
        birth->setToolTip(pDateTime::BirthTimeNotSettable());
    }
    cmbEditMode->setCurrentIndex(m_lastMode);
    lblEditMode = new QLabel(QStringLiteral("&Modus"), this);
    lblEditMode->setBuddy(cmbEditMode);

    lblAction = new QLabel(QStringLiteral("Aktion"), this);
    optAction[0] = new QRadioButton(QStringLiteral("Datum/Uhrzeit ändern"), this);
    optAction[1] = new QRadioButton(QStringLiteral("Zeit auf 00:00:00 zurücksetzen "), this);
    auto* actions = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        optAction[i]->setObjectName(QStringLiteral("optAction%1").arg(i));
        actions->addButton(optAction[i], i);
    }
    connect(actions, &QButtonGroup::idClicked, this, [this] { optAction_Click(); });

    txtDate = new QLineEdit(this);
    txtDate->setObjectName(QStringLiteral("txtDate"));
    txtDate->setMinimumWidth(txtDate->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 24);
    lblDate = new QLabel(QStringLiteral("&in:"), this);
    lblDate->setBuddy(txtDate);
    // Room for the note from the start, so the window does not jump when
    // "Alles" is chosen.
    lblBirthNote = new QLabel(pDateTime::BirthTimeUnchanged(), this);
    lblBirthNote->setObjectName(QStringLiteral("lblBirthNote"));
    lblBirthNote->setMinimumSize(lblBirthNote->sizeHint());
    lblBirthNote->clear();

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    connect(cmdOK, &QPushButton::clicked, this, &frmDatePicker::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDatePicker::cmdCancel_Click);
    connect(cmbEditMode, &QComboBox::currentIndexChanged, this, &frmDatePicker::cmbEditMode_Change);

    auto* grid = new QGridLayout;
    grid->addWidget(lblEditMode, 0, 0);
    grid->addWidget(cmbEditMode, 0, 1);
    grid->addWidget(lblAction, 1, 0);
    grid->addWidget(optAction[0], 1, 1);
    grid->addWidget(optAction[1], 2, 1);
    grid->addWidget(lblDate, 3, 0);
    grid->addWidget(txtDate, 3, 1);
    grid->addWidget(lblBirthNote, 4, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    SetDateFieldEnabled(false);
}

void frmDatePicker::SetDateFieldEnabled(bool enabled)
{
    txtDate->setEnabled(enabled);
    lblDate->setEnabled(enabled);
    QPalette colours = txtDate->palette();
    const QColor back = enabled ? QColor(Qt::white) : palette().color(QPalette::Window);
    colours.setColor(QPalette::Active, QPalette::Base, back);
    colours.setColor(QPalette::Inactive, QPalette::Base, back);
    colours.setColor(QPalette::Disabled, QPalette::Base, back);
    txtDate->setPalette(colours);
    txtDate->setText(enabled ? DateInput::Midnight(QDate::currentDate(), QLocale()) : QString());
}

void frmDatePicker::optAction_Click()
{
    SetDateFieldEnabled(optAction[0]->isChecked());
    if (optAction[0]->isChecked())
        txtDate->setFocus();
}

void frmDatePicker::cmbEditMode_Change(int index)
{
    // The birth time cannot be set: the choice goes back to what it was.
    if (index == kBirthItem) {
        cmbEditMode->setCurrentIndex(m_lastMode);
        return;
    }
    m_lastMode = index;
    lblBirthNote->setText(index == kAllItem ? pDateTime::BirthTimeUnchanged() : QString());
}

void frmDatePicker::cmdOK_Click()
{
    m_date = QDateTime();
    if (optAction[0]->isChecked()) {
        const auto date = DateInput::Parse(txtDate->text(), QLocale());
        if (!date) {
            AppErr().MsgShow(Msg::InvalidDate, MsgStyle::Exclamation, txtDate->text());
            txtDate->setFocus();
            txtDate->selectAll();
            return;
        }
        m_date = *date;
    }
    chkCancel = 0;
    accept();
}

void frmDatePicker::cmdCancel_Click()
{
    chkCancel = 1;
    QDialog::reject();
}
