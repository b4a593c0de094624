// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/frmTimeCalc.h"

#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/Twips.h"
#include "core/cuAppError.h"
#include "platform/MessageBoxStyle.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>

frmTimeCalc::frmTimeCalc(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTimeCalc"));
    setWindowTitle(QStringLiteral("Zeitrechner"));
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    const QString captions[] = {QStringLiteral("Std"), QStringLiteral("Min"),
                                QStringLiteral("Sek")};
    const QString tips[] = {QStringLiteral("Stunden"), QStringLiteral("Minuten"),
                            QStringLiteral("Sekunden")};
    // Fields take digits only, typed or pasted; Backspace and editing keys still work.
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(captions[i], this), 0, i * 2);
        txtIn[i] = new QLineEdit(QStringLiteral("0"), this);
        txtIn[i]->setObjectName(QStringLiteral("txtIn%1").arg(i));
        txtIn[i]->setToolTip(tips[i]);
        txtIn[i]->setValidator(digits);
        txtIn[i]->setAlignment(Qt::AlignRight);
        txtIn[i]->setFixedWidth(
            qMax(TwipsToPx(375, this),
                 txtIn[i]->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12));
        txtIn[i]->installEventFilter(this);
        grid->addWidget(txtIn[i], 1, i * 2);
        if (i < 2)
            grid->addWidget(new QLabel(QStringLiteral(":"), this), 1, i * 2 + 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("Summe"), this), 0, 6);
    Text2 = new QLineEdit(QStringLiteral("00:00:00"), this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    Text2->setFocusPolicy(Qt::NoFocus);
    Text2->setToolTip(QStringLiteral("Summe"));
    Text2->setMinimumWidth(TwipsToPx(1095, this));
    grid->addWidget(Text2, 1, 6);

    cmdSum = new QPushButton(QStringLiteral("&+"), this);
    cmdSum->setObjectName(QStringLiteral("cmdSum"));
    cmdSum->setToolTip(QStringLiteral("Zeit addieren"));
    cmdReset = new QPushButton(QStringLiteral("&Reset"), this);
    cmdReset->setObjectName(QStringLiteral("cmdReset"));
    cmdReset->setToolTip(QStringLiteral("Summe zurücksetzen"));
    for (QPushButton* button : {cmdSum, cmdReset}) {
        button->setMinimumSize(TwipsToPx(1335, this), TwipsToPx(375, this));
        button->installEventFilter(this);
    }
    grid->addWidget(cmdSum, 2, 0, 1, 4);
    grid->addWidget(cmdReset, 2, 4, 1, 3);
    connect(cmdSum, &QPushButton::clicked, this, &frmTimeCalc::Add);
    connect(cmdReset, &QPushButton::clicked, this, &frmTimeCalc::Reset);
    setTabOrder(txtIn[0], txtIn[1]);
    setTabOrder(txtIn[1], txtIn[2]);
    setTabOrder(txtIn[2], cmdSum);
    setTabOrder(cmdSum, cmdReset);
    installEventFilter(this);
    txtIn[0]->setFocus();
}

int frmTimeCalc::FieldIndex(QObject* object) const
{
    for (int i = 0; i < 3; ++i) {
        if (object == txtIn[i])
            return i;
    }
    return -1;
}

bool frmTimeCalc::eventFilter(QObject* watched, QEvent* event)
{
    const int field = FieldIndex(watched);
    if (field >= 0 && event->type() == QEvent::FocusIn) {
        // After the click that focused it the field would drop the selection again.
        QLineEdit* edit = txtIn[field];
        QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    } else if (field >= 0 && event->type() == QEvent::FocusOut) {
        if (txtIn[field]->text().isEmpty())
            txtIn[field]->setText(QStringLiteral("0"));
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->text() == QLatin1String("+")) {
            cmdSum->click();
            return true;
        }
        // In a field Enter moves on; on a button it presses the button.
        if (field >= 0 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmTimeCalc::Add()
{
    try {
        m_sum.Add(txtIn[0]->text(), txtIn[1]->text(), txtIn[2]->text());
        Text2->setText(m_sum.SumText());
        txtIn[0]->setFocus();
        txtIn[0]->selectAll();
    } catch (...) {
        const AppErrorRecord error = AppErrorRecord::fromException(std::current_exception());
        AppErr().MsgShowText(error.Description, MsgStyle::Critical);
    }
}

void frmTimeCalc::Reset()
{
    m_sum.Reset();
    for (QLineEdit* field : txtIn)
        field->setText(QStringLiteral("0"));
    Text2->setText(m_sum.SumText());
    txtIn[0]->setFocus();
    txtIn[0]->selectAll();
}

void frmTimeCalc::reject()
{
    close();
}

void frmTimeCalc::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (RunsAlone())
        Q_EMIT shutdownRequested();
}
