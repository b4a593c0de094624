// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/frmInterestCalc.h"

#include "core/AppGlobals.h"
#include "core/Twips.h"
#include "core/cuAppError.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmInterestCalc::frmInterestCalc(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInterestCalc"));
    setWindowTitle(QStringLiteral("Zinsrechner"));
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    Text1 = AddField(0, 0, QStringLiteral("Kredit"), QStringLiteral("Text1"), 1095);
    Text2 = AddField(0, 1, QStringLiteral("Zinssatz"), QStringLiteral("Text2"), 555);
    Text3 = AddField(0, 2, QStringLiteral("Laufzeit (Monate)"), QStringLiteral("Text3"), 615);
    Text4 = AddField(2, 0, QStringLiteral("Monatsrate"), QStringLiteral("Text4"), 1095);
    Text5 = AddField(2, 1, QStringLiteral("Gesamtsumme"), QStringLiteral("Text5"), 1635, 2);
    Text1->setText(m_calc.Amount);
    Text2->setText(m_calc.Rate);
    Text3->setText(m_calc.Months);
    for (QLineEdit* output : {Text4, Text5})
        output->setReadOnly(true);

    Command2 = new QPushButton(QStringLiteral("Berechnen"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setMinimumSize(TwipsToPx(1875, this), TwipsToPx(375, this));
    Command2->setDefault(true);
    grid->addWidget(Command2, 4, 1, 1, 2, Qt::AlignRight);
    connect(Command2, &QPushButton::clicked, this, &frmInterestCalc::Calculate);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Command2);
    setTabOrder(Command2, Text4);
    setTabOrder(Text4, Text5);
    Text1->setFocus();
}

QLineEdit* frmInterestCalc::AddField(int row, int column, const QString& caption,
                                     const QString& name, int widthTwips, int columnSpan)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(new QLabel(caption, this), row, column);
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setAlignment(Qt::AlignRight);
    field->setMinimumWidth(TwipsToPx(widthTwips, this));
    grid->addWidget(field, row + 1, column, 1, columnSpan);
    return field;
}

void frmInterestCalc::Calculate()
{
    try {
        m_calc.Amount = Text1->text();
        m_calc.Rate = Text2->text();
        m_calc.Months = Text3->text();
        m_calc.Calculate();
        Text4->setText(m_calc.InstalmentText);
        Text5->setText(m_calc.TotalText);
    } catch (...) {
        AppErr().ErrMsg();
    }
}

void frmInterestCalc::reject()
{
    close();
}

void frmInterestCalc::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (RunsAlone())
        Q_EMIT shutdownRequested();
}
