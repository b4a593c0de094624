// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/frmRename.h"

#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/TextUtil.h"
#include "core/WindowUtil.h"
#include "core/cuAppError.h"
#include "core/pOptions.h"
#include "platform/FileNameCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>

namespace {
const QString kModule = QStringLiteral("frmRename");
const QString kTitle = QStringLiteral("Stapel-Umbenennen");
constexpr int kLargestPlaces = 999;
} // namespace

frmRename::frmRename(QWidget* owner) : QDialog(owner)
{
    setObjectName(kModule);
    setWindowTitle(kTitle);
    BuildControls();
    m_loading = true;
    if (const pOptions* options = AppOptions())
        txtExample->setText(options->RenameSample);
    for (QLineEdit* field : {txtNumber, txtPlaces, txtExtension})
        SetFieldEnabled(field, false, QString());
    for (QWidget* control :
         {static_cast<QWidget*>(lblNumber), static_cast<QWidget*>(lblPlaces),
          static_cast<QWidget*>(optNumber[0]), static_cast<QWidget*>(optNumber[1])})
        control->setEnabled(false);
    fraPanels->setCurrentIndex(0);
    m_loading = false;
    ConnectControls();
    RefreshOK();
    RefreshResult();
    // "name" and its panels keep the width of the numbering frame.
    fraName->setMinimumWidth(fraNumber->sizeHint().width());
}

frmRename::~frmRename() = default;

void frmRename::ConnectControls()
{
    auto refresh = [this] { RefreshResult(); };
    auto refreshBoth = [this] {
        RefreshOK();
        RefreshResult();
    };
    connect(cmbMode, &QComboBox::activated, this, &frmRename::cmbMode_Click);
    connect(cmbComplete, &QComboBox::activated, this, &frmRename::cmbComplete_Click);
    connect(chkReverse, &QCheckBox::clicked, this, &frmRename::chkReverse_Click);
    connect(chkNumber, &QCheckBox::clicked, this, &frmRename::chkNumber_Click);
    connect(chkExtension, &QCheckBox::clicked, this, &frmRename::chkExtension_Click);
    for (QLineEdit* field : {txtCharPos, txtlStartPos, txtStartPosComplete})
        connect(field, &QLineEdit::textChanged, this, [this, field] { PositionChanged(field); });
    connect(txtNumber, &QLineEdit::editingFinished, this, &frmRename::txtNumber_Validate);
    connect(txtPlaces, &QLineEdit::editingFinished, this, &frmRename::txtPlaces_Validate);
    for (QLineEdit* field : {txtFind, txtComplete, txtChar, txtExtension, txtNumber})
        connect(field, &QLineEdit::textChanged, this, refreshBoth);
    connect(chkExtractNumber, &QCheckBox::clicked, this, refreshBoth);
    for (QLineEdit* field : {txtReplace, txtExample, txtPlaces, txtResult})
        connect(field, &QLineEdit::textChanged, this, refresh);
    for (QComboBox* combo : {cmbCharMode, cmbCount})
        connect(combo, &QComboBox::activated, this, refresh);
    for (QRadioButton* option : optNumber)
        connect(option, &QRadioButton::clicked, this, refresh);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRename::reject);
    connect(cmdOK, &QPushButton::clicked, this,
            [this] { Handle("cmdOK_Click", [this] { cmdOK_Click(); }); });
    connect(cmdUndo, &QPushButton::clicked, this,
            [this] { Handle("cmdUndo_Click", [this] { cmdUndo_Click(); }); });
}

void frmRename::Handle(const char* procedure, const std::function<void()>& body)
{
    try {
        body();
    } catch (...) {
        AppErr().ErrMsg(kModule, QLatin1String(procedure));
    }
}

void frmRename::pubInitForm(const QString& folder, const QString& mask, const QString& example)
{
    m_folder = AddTrailing(folder, QLatin1Char('/'));
    m_mask = mask;
    setWindowTitle(kTitle + QStringLiteral(" - ") + DisplayFileName(folder) + mask);
    if (!example.isEmpty())
        txtExample->setText(DisplayFileName(example));
    lblCaption->setText(AppErr().MsgLoad(Msg::RenameWarning, mask));
    lblFolder->setText(DisplayFileName(m_folder));
    lblFolder->setToolTip(DisplayFileName(m_folder));
    RefreshUndo();
}

void frmRename::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    lblFolder->setText(ShortenPathToWidth(DisplayFileName(m_folder), lblFolder));
    if (std::exchange(m_shownOnce, true))
        return;
    QTimer::singleShot(0, this, [this] { Handle("Form_Load", [this] { FinishLastRun(); }); });
}

void frmRename::closeEvent(QCloseEvent* event)
{
    if (!txtExample->text().isEmpty()) {
        if (pOptions* options = AppOptions())
            options->RenameSample = txtExample->text();
    }
    QDialog::closeEvent(event);
}

RenameRule frmRename::Rule() const
{
    RenameRule r;
    r.mode = RenameRule::Mode(cmbMode->currentIndex());
    r.find = txtFind->text();
    r.replace = txtReplace->text();
    r.start = RenameRule::ParseNumber(txtlStartPos->text());
    r.count = RenameRule::Count(cmbCount->currentIndex());
    r.text = txtComplete->text();
    r.parts = RenameRule::Parts(cmbComplete->currentIndex());
    r.partsPos = RenameRule::ParseNumber(txtStartPosComplete->text());
    r.insert = txtChar->text();
    r.insertPos = RenameRule::ParseNumber(txtCharPos->text());
    r.side = RenameRule::Side(cmbCharMode->currentIndex());
    r.reverse = chkReverse->isChecked();
    r.extractNumber = chkExtractNumber->isChecked();
    r.numbering = chkNumber->isChecked();
    if (const auto places = RenameRule::ParseNumber(txtPlaces->text()))
        r.places = int(std::min<qint64>(*places, kLargestPlaces));
    r.numberAtStart = optNumber[0]->isChecked();
    r.changeExtension = chkExtension->isChecked();
    r.extension = txtExtension->text();
    return r;
}

void frmRename::cmbMode_Click(int index)
{
    m_loading = true;
    fraPanels->setCurrentIndex(index);
    const auto mode = RenameRule::Mode(index);
    using Mode = RenameRule::Mode;
    auto set = [](QLineEdit* field, bool keep, const QString& value = {}) {
        if (!keep)
            field->setText(value);
    };
    set(txtFind, mode == Mode::Replace);
    set(txtReplace, mode == Mode::Replace);
    set(txtlStartPos, false, mode == Mode::Replace ? QStringLiteral("1") : QString());
    set(txtComplete, mode == Mode::Parts);
    set(txtStartPosComplete, false, mode == Mode::Parts ? QStringLiteral("1") : QString());
    set(txtChar, mode == Mode::Insert);
    set(txtCharPos, false, mode == Mode::Insert ? QStringLiteral("1") : QString());
    if (mode == Mode::Parts) {
        cmbComplete->setCurrentIndex(0);
        cmbComplete_Click(0);
    }
    chkExtractNumber->setChecked(mode == Mode::Special);
    m_loading = false;
    RefreshOK();
    RefreshResult();
}

void frmRename::cmbComplete_Click(int index)
{
    const bool positioned = index != 0;
    txtStartPosComplete->setVisible(positioned);
    lblStartPosComplete->setVisible(positioned);
    if (txtStartPosComplete->text().isEmpty())
        txtStartPosComplete->setText(QStringLiteral("1"));
    RefreshResult();
}

void frmRename::chkReverse_Click()
{
    if (chkReverse->isChecked())
        cmbCharMode->setCurrentIndex(0);
    RefreshResult();
}

void frmRename::SetFieldEnabled(QLineEdit* field, bool enabled, const QString& text)
{
    field->setEnabled(enabled);
    field->setText(text);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base,
                     enabled ? QColor(Qt::white) : this->palette().window().color());
    field->setPalette(palette);
}

void frmRename::chkNumber_Click()
{
    m_loading = true;
    const bool on = chkNumber->isChecked();
    SetFieldEnabled(txtNumber, on, on ? QStringLiteral("0") : QString());
    SetFieldEnabled(txtPlaces, on, on ? QStringLiteral("3") : QString());
    for (QWidget* control :
         {static_cast<QWidget*>(lblNumber), static_cast<QWidget*>(lblPlaces),
          static_cast<QWidget*>(optNumber[0]), static_cast<QWidget*>(optNumber[1])})
        control->setEnabled(on);
    m_loading = false;
    RefreshOK();
    RefreshResult();
}

void frmRename::chkExtension_Click()
{
    m_loading = true;
    SetFieldEnabled(txtExtension, chkExtension->isChecked(), QString());
    m_loading = false;
    RefreshOK();
    RefreshResult();
}

void frmRename::PositionChanged(QLineEdit* field)
{
    if (field->text() == QLatin1String("0"))
        field->setText(QStringLiteral("1")); // comes back here with the new text
    else
        RefreshResult();
}

void frmRename::txtNumber_Validate()
{
    const qsizetype digits = txtNumber->text().size();
    if (digits == 0)
        return;
    const auto places = RenameRule::ParseNumber(txtPlaces->text());
    if (!places || *places < digits)
        txtPlaces->setText(QString::number(digits));
}

void frmRename::txtPlaces_Validate()
{
    if (txtPlaces->text() == QLatin1String("0"))
        txtPlaces->setText(QStringLiteral("1"));
}

void frmRename::RefreshOK()
{
    cmdOK->setEnabled(!txtComplete->text().isEmpty() || !txtFind->text().isEmpty() ||
                      !txtExtension->text().isEmpty() || !txtNumber->text().isEmpty() ||
                      !txtChar->text().isEmpty() || chkExtractNumber->isChecked());
}

void frmRename::RefreshResult()
{
    if (m_loading)
        return;
    try {
        qint64 counter = RenameRule::ParseNumber(txtNumber->text()).value_or(1);
        const QString result = Rule().Calc(txtExample->text(), counter);
        if (txtResult->text() != result)
            txtResult->setText(result);
    } catch (...) {
        AppErr().ErrMsg(kModule, QStringLiteral("RefreshResult"));
    }
}
