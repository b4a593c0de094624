// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the batch rename window and where they sit.
#include "rename/frmRename.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
constexpr int kLongestNumber = 18;
constexpr int kLongestPlaces = 3;

template <class T> T* Named(T* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QLineEdit* DigitsField(QWidget* parent, const char* name, int maxLength = 0)
{
    auto* field = Named(new QLineEdit(parent), name);
    // Digits only, typed or pasted; Backspace and the editing keys still work.
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    if (maxLength > 0)
        field->setMaxLength(maxLength);
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 + 16);
    return field;
}

QComboBox* Choices(QWidget* parent, const char* name, const QStringList& items)
{
    auto* combo = Named(new QComboBox(parent), name);
    combo->addItems(items);
    return combo;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}
} // namespace

QWidget* frmRename::BuildReplacePanel()
{
    fraReplace = Named(new QWidget(this), "fraReplace");
    auto* grid = new QGridLayout(fraReplace);
    grid->setContentsMargins(0, 0, 0, 0);
    txtFind = Named(new QLineEdit(fraReplace), "txtFind");
    txtReplace = Named(new QLineEdit(fraReplace), "txtReplace");
    txtlStartPos = DigitsField(fraReplace, "txtlStartPos");
    cmbCount = Choices(fraReplace, "cmbCount", {QStringLiteral("Alle"), QStringLiteral("Erstes")});
    grid->addWidget(Caption(QStringLiteral("Suchen nach:"), txtFind, fraReplace), 0, 0);
    grid->addWidget(txtFind, 0, 1, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Ersetzen mit:"), txtReplace, fraReplace), 1, 0);
    grid->addWidget(txtReplace, 1, 1, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Ab Position:"), txtlStartPos, fraReplace), 2, 0);
    grid->addWidget(txtlStartPos, 2, 1);
    grid->addWidget(Caption(QStringLiteral("Vorkommen:"), cmbCount, fraReplace), 2, 2);
    grid->addWidget(cmbCount, 2, 3);
    grid->setColumnStretch(1, 1);
    return fraReplace;
}

QWidget* frmRename::BuildCompletePanel()
{
    fraComplete = Named(new QWidget(this), "fraComplete");
    auto* grid = new QGridLayout(fraComplete);
    grid->setContentsMargins(0, 0, 0, 0);
    txtComplete = Named(new QLineEdit(fraComplete), "txtComplete");
    cmbComplete =
        Choices(fraComplete, "cmbComplete",
                {QStringLiteral("(Komplett)"), QStringLiteral("Vor"), QStringLiteral("Nach")});
    txtStartPosComplete = DigitsField(fraComplete, "txtStartPosComplete");
    lblStartPosComplete = Caption(QStringLiteral("Pos"), txtStartPosComplete, fraComplete);
    grid->addWidget(Caption(QStringLiteral("Ersetzen durch"), txtComplete, fraComplete), 0, 0);
    grid->addWidget(txtComplete, 0, 1, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Modus"), cmbComplete, fraComplete), 1, 0);
    grid->addWidget(cmbComplete, 1, 1);
    grid->addWidget(lblStartPosComplete, 1, 2);
    grid->addWidget(txtStartPosComplete, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return fraComplete;
}

QWidget* frmRename::BuildCharPanel()
{
    fraChar = Named(new QWidget(this), "fraChar");
    auto* grid = new QGridLayout(fraChar);
    grid->setContentsMargins(0, 0, 0, 0);
    txtChar = Named(new QLineEdit(fraChar), "txtChar");
    txtCharPos = DigitsField(fraChar, "txtCharPos");
    cmbCharMode = Choices(fraChar, "cmbCharMode", {QStringLiteral("Vor"), QStringLiteral("Nach")});
    chkReverse =
        Named(new QCheckBox(QStringLiteral("Rückwärts (rechts beginnen) "), fraChar), "chkReverse");
    grid->addWidget(Caption(QStringLiteral("Einfügen"), txtChar, fraChar), 0, 0);
    grid->addWidget(txtChar, 0, 1, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Pos"), txtCharPos, fraChar), 1, 0);
    grid->addWidget(txtCharPos, 1, 1);
    grid->addWidget(Caption(QStringLiteral("Modus"), cmbCharMode, fraChar), 1, 2);
    grid->addWidget(cmbCharMode, 1, 3);
    grid->addWidget(chkReverse, 2, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    return fraChar;
}

QGroupBox* frmRename::BuildNumberFrame()
{
    fraNumber = Named(new QGroupBox(this), "fraNumber");
    auto* grid = new QGridLayout(fraNumber);
    chkNumber =
        Named(new QCheckBox(QStringLiteral("Fortlaufend nummerieren"), fraNumber), "chkNumber");
    txtNumber = DigitsField(fraNumber, "txtNumber", kLongestNumber);
    txtNumber->setMaximumWidth(QWIDGETSIZE_MAX);
    txtPlaces = DigitsField(fraNumber, "txtPlaces", kLongestPlaces);
    lblNumber = Named(Caption(QStringLiteral("Beginnen mit:"), txtNumber, fraNumber), "lblNumber");
    lblPlaces = Named(Caption(QStringLiteral("Stellen:"), txtPlaces, fraNumber), "lblPlaces");
    optNumber[0] = Named(new QRadioButton(QStringLiteral("am Anfang"), fraNumber), "optNumber0");
    optNumber[1] = Named(new QRadioButton(QStringLiteral("am Ende"), fraNumber), "optNumber1");
    optNumber[1]->setChecked(true);
    grid->addWidget(chkNumber, 0, 0, 1, 4);
    grid->addWidget(lblNumber, 1, 0);
    grid->addWidget(txtNumber, 1, 1);
    grid->addWidget(lblPlaces, 1, 2);
    grid->addWidget(txtPlaces, 1, 3);
    grid->addWidget(optNumber[0], 2, 1);
    grid->addWidget(optNumber[1], 2, 2, 1, 2);
    grid->setColumnStretch(1, 1);
    return fraNumber;
}

QGroupBox* frmRename::BuildResultFrame()
{
    fraResult = Named(new QGroupBox(QStringLiteral("Vorschau"), this), "fraResult");
    auto* row = new QHBoxLayout(fraResult);
    txtExample = Named(new QLineEdit(fraResult), "txtExample");
    txtExample->setToolTip(QStringLiteral("Beispielname"));
    txtResult = Named(new QLineEdit(fraResult), "txtResult");
    txtResult->setToolTip(QStringLiteral("Neuer Name"));
    row->addWidget(txtExample, 1);
    row->addWidget(new QLabel(QStringLiteral("→"), fraResult));
    row->addWidget(txtResult, 1);
    return fraResult;
}

void frmRename::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    lblCaption = Named(new QLabel(this), "lblCaption");
    lblCaption->setWordWrap(true);
    lblFolder = Named(new QLabel(this), "lblFolder");
    lblFolder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont bold = lblFolder->font();
    bold.setBold(true);
    lblFolder->setFont(bold);
    layout->addWidget(lblCaption);
    layout->addWidget(lblFolder);

    fraName = Named(new QGroupBox(QStringLiteral("Dateiname"), this), "fraName");
    auto* name = new QVBoxLayout(fraName);
    cmbMode = Choices(fraName, "cmbMode",
                      {QStringLiteral("(aus)"), QStringLiteral("Suchen/Ersetzen"),
                       QStringLiteral("Teile ersetzen"), QStringLiteral("Zeichen einfügen"),
                       QStringLiteral("Spezial")});
    name->addWidget(cmbMode);
    // All panels share one place; the empty page stands for "(aus)".
    fraPanels = Named(new QStackedWidget(fraName), "fraPanels");
    fraPanels->addWidget(new QWidget(fraPanels));
    fraPanels->addWidget(BuildReplacePanel());
    fraPanels->addWidget(BuildCompletePanel());
    fraPanels->addWidget(BuildCharPanel());
    fraSpecial = Named(new QWidget(this), "fraSpecial");
    chkExtractNumber =
        Named(new QCheckBox(QStringLiteral("Zahl extrahieren"), fraSpecial), "chkExtractNumber");
    auto* special = new QVBoxLayout(fraSpecial);
    special->setContentsMargins(0, 0, 0, 0);
    special->addWidget(chkExtractNumber);
    special->addStretch();
    fraPanels->addWidget(fraSpecial);
    name->addWidget(fraPanels);
    layout->addWidget(fraName);

    layout->addWidget(BuildNumberFrame());
    fraExtension = Named(new QGroupBox(QStringLiteral("Dateierweiterung"), this), "fraExtension");
    auto* extension = new QHBoxLayout(fraExtension);
    chkExtension = Named(new QCheckBox(QStringLiteral("ändern in"), fraExtension), "chkExtension");
    txtExtension = Named(new QLineEdit(fraExtension), "txtExtension");
    extension->addWidget(chkExtension);
    extension->addWidget(txtExtension, 1);
    layout->addWidget(fraExtension);
    layout->addWidget(BuildResultFrame());

    auto* buttons = new QHBoxLayout;
    cmdOK = Named(new QPushButton(QStringLiteral("&OK"), this), "cmdOK");
    cmdOK->setDefault(true);
    cmdUndo = Named(new QPushButton(QStringLiteral("&Rückgängig"), this), "cmdUndo");
    cmdUndo->setToolTip(QStringLiteral("Das letzte Stapel-Umbenennen in diesem Ordner "
                                       "rückgängig machen"));
    cmdCancel = Named(new QPushButton(QStringLiteral("&Abbrechen"), this), "cmdCancel");
    buttons->addWidget(cmdUndo);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
}
