// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/frmDirInfo.h"

#include "core/AppGlobals.h"
#include "core/FileUtil.h"
#include "core/JobRunner.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "fileinfo/DateText.h"
#include "fileinfo/DirTotalsText.h"
#include "fileinfo/FileInfo.h"
#include "fileinfo/InfoForm.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"
#include "platform/SystemError.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The status line shows what is read about ten times a second.
constexpr int kPollMs = 100;
} // namespace

frmDirInfo::frmDirInfo(QWidget* owner)
    : QDialog(owner), m_totals(std::make_shared<pDirTotals>()),
      m_outcome(std::make_shared<pDirTotals::Outcome>(pDirTotals::Outcome::Complete))
{
    setObjectName(QStringLiteral("frmDirInfo"));
    setWindowTitle(QStringLiteral("DirInfo"));
    auto* form = new QFormLayout;
    txtCreated = InfoForm::AddField(form, "txtCreated", "Erstellt:");
    txtModified = InfoForm::AddField(form, "txtModified", "Geändert am:");
    txtAccessed = InfoForm::AddField(form, "txtAccessed", "Letzter Zugriff:");
    auto* attributes = new QHBoxLayout;
    const char* const names[] = {"Schreibgeschützt", nullptr, "Archiv"};
    for (int i : {0, 2}) {
        chkAttr[i] = InfoForm::ShownOnlyBox(this, QString::fromUtf8(names[i]), i);
        attributes->addWidget(chkAttr[i]);
    }
    attributes->addStretch();
    form->addRow(QStringLiteral("Attribute:"), attributes);
    form->addRow(InfoForm::Separator(this));
    txtContents = InfoForm::AddField(form, "txtContents", "Inhalt:");
    txtSize = InfoForm::AddField(form, "txtSize", "Größe:");
    txtAllocated = InfoForm::AddField(form, "txtAllocated", "Belegt:");

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    lblStatus->setMinimumWidth(1);
    cmdCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblStatus, 1);
    bottom->addWidget(cmdCancel, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(bottom);
    setMinimumWidth(420);

    m_runner = new JobRunner(this);
    m_runner->setErrorPlace(objectName(), QStringLiteral("Count"));
    connect(m_runner, &JobRunner::finished, this, &frmDirInfo::countEnded);
    m_poll = new QTimer(this);
    m_poll->setInterval(kPollMs);
    connect(m_poll, &QTimer::timeout, this, &frmDirInfo::showFigures);
    connect(cmdCancel, &QPushButton::clicked, m_runner, &JobRunner::cancel);
}

frmDirInfo::~frmDirInfo()
{
    // Before the members go: the walk must not outlive what it reports to.
    m_runner->cancelAndWait();
}

void frmDirInfo::pubInit(const QString& folder)
{
    m_folder = folder;
    setWindowTitle(QStringLiteral("Eigenschaften - ") + DisplayFileName(folder));
    QLineEdit* const times[] = {txtCreated, txtAccessed, txtModified};
    for (qint32 which = ftCreation; which <= ftLastWrite; ++which)
        times[which - ftCreation]->setText(GeneralDateText(GetFileTimeDate(folder, which)));
    // Folders keep no archive flag here; read-only means this user may not
    // change what the folder holds.
    chkAttr[0]->setChecked(IsFolder(folder) && !MayWrite(folder));
    chkAttr[2]->setChecked(false);
    InfoForm::ShowStarts(this);
}

bool frmDirInfo::IsCounting() const
{
    return m_runner->isRunning();
}

void frmDirInfo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_started)
        startCount();
}

void frmDirInfo::startCount()
{
    m_started = true;
    if (m_folder.isEmpty())
        return;
    m_runner->start([totals = m_totals, outcome = m_outcome, folder = m_folder](JobContext& c) {
        *outcome = totals->Count(folder, [&c] { return c.cancelled(); });
    });
    m_poll->start();
    showFigures();
}

void frmDirInfo::showFigures()
{
    const pDirTotals::Figures figures = m_totals->Current();
    txtContents->setText(DirTotalsText::Contents(figures));
    txtSize->setText(FileInfo::FormatFileSize(figures.size));
    txtAllocated->setText(FileInfo::FormatFileSize(figures.allocated));
    if (m_runner->isRunning()) {
        const QString folder = DisplayFileName(DecodeFileName(m_totals->CurrentFolder()));
        lblStatus->setText(lblStatus->fontMetrics().elidedText(
            DirTotalsText::Reading(folder), Qt::ElideMiddle, lblStatus->width()));
    }
}

void frmDirInfo::countEnded()
{
    m_poll->stop();
    cmdCancel->setEnabled(false);
    // A cancel that came after the last entry still leaves complete figures.
    const pDirTotals::Outcome outcome = *m_outcome;
    showFigures();
    if (outcome == pDirTotals::Outcome::Unreadable) {
        txtContents->clear();
        txtSize->clear();
        txtAllocated->clear();
        lblStatus->setText(AppErr().MsgLoad(Msg::FolderReadFailed, DisplayFileName(m_folder),
                                            SystemErrorText(m_totals->RootError())));
        return;
    }
    const QString status = DirTotalsText::Status(m_totals->Current(), outcome);
    lblStatus->setText(status.isEmpty() ? QStringLiteral("Zählung abgeschlossen") : status);
}

void frmDirInfo::keyPressEvent(QKeyEvent* event)
{
    // The first Escape stops the count and keeps its figures in view.
    if (event->key() == Qt::Key_Escape && m_runner->isRunning()) {
        m_runner->cancel();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
