// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// The main window's commands for the calculators: each opens its window
// modally with `owner` as owner and unloads it when the user is done.
void ShowCalculator(QWidget* owner);
void ShowTimeCalc(QWidget* owner);
void ShowInterestCalc(QWidget* owner);
