// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/CalcCommands.h"

#include "calc/frmCalculator.h"
#include "calc/frmInterestCalc.h"
#include "calc/frmTimeCalc.h"

namespace {
template <class Form> void showModal(QWidget* owner)
{
    Form form(owner);
    form.exec();
}
} // namespace

void ShowCalculator(QWidget* owner)
{
    showModal<frmCalculator>(owner);
}

void ShowTimeCalc(QWidget* owner)
{
    showModal<frmTimeCalc>(owner);
}

void ShowInterestCalc(QWidget* owner)
{
    showModal<frmInterestCalc>(owner);
}
