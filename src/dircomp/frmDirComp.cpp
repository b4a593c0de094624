// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/frmDirComp.h"

#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/ColorValue.h"
#include "core/FileDialog.h"
#include "core/FileUtil.h"
#include "core/JobProgressBar.h"
#include "core/JobRunner.h"
#include "core/MessageTable.h"
#include "core/PathUtil.h"
#include "core/Twips.h"
#include "core/cuAppError.h"
#include "dircomp/DirCompJobs.h"
#include "dircomp/DirCompListModel.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxService.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include <utility>

namespace {
const QString kModule = QStringLiteral("frmDirComp");
// Skipped files named in the closing message; the rest are counted.
constexpr qsizetype kSkipLinesShown = 20;

// Runs a handler and shows its failure as every window does.
template <class Handler> void guarded(const char* procedure, Handler&& handler)
{
    try {
        handler();
    } catch (...) {
        AppErr().ErrMsg(AppErrorRecord::fromException(std::current_exception()), kModule,
                        QLatin1String(procedure));
    }
}

QString skippedLines(const QList<DirSyncJob::Skipped>& skipped)
{
    QStringList lines;
    for (qsizetype i = 0; i < skipped.size() && i < kSkipLinesShown; ++i)
        lines << DisplayFileName(DecodeFileName(skipped.at(i).name)) + QStringLiteral(": ") +
                     pDirSync::SkipText(skipped.at(i).reason);
    if (skipped.size() > kSkipLinesShown)
        lines << QStringLiteral("… und %1 weitere").arg(skipped.size() - kSkipLinesShown);
    return lines.join(QStringLiteral("\r\n"));
}
} // namespace

frmDirComp::frmDirComp(QWidget* owner) : QDialog(owner)
{
    setObjectName(kModule);
    setWindowTitle(QStringLiteral("Verzeichnisse vergleichen"));
    setSizeGripEnabled(true);
    buildControls();
    buildLayout();
    m_runner = new JobRunner(this);
    progress->watch(m_runner);
    // One "&Abbrechen" in the window: the window's own stops a job.
    progress->cmdCancel->hide();
    connectControls();
    LoadPaths();
    SetListsEnabled(false);
    pathEdited();
    updateOk();
    resize(TwipsToPx(10800, this), TwipsToPx(8400, this));
}

frmDirComp::~frmDirComp() = default;

void frmDirComp::buildControls()
{
    const QString pathCaptions[] = {QStringLiteral("Quellordner"), QStringLiteral("Zielordner")};
    for (int i = 0; i < 2; ++i) {
        lblPath[i] = new QLabel(pathCaptions[i], this);
        txtPath[i] = new QLineEdit(this);
        txtPath[i]->setObjectName(QStringLiteral("txtPath%1").arg(i));
        lblPath[i]->setBuddy(txtPath[i]);
        cmdBrowse[i] = new QPushButton(QStringLiteral("..."), this);
        cmdBrowse[i]->setObjectName(QStringLiteral("cmdBrowse%1").arg(i));
        cmdBrowse[i]->setToolTip(QStringLiteral("Ordner wählen"));
    }
    cmdCompare = new QPushButton(QStringLiteral("&Vergleichen"), this);
    cmdCompare->setObjectName(QStringLiteral("cmdCompare"));
    lblLVSource = new QLabel(QStringLiteral("Inhalt Quellordner"), this);
    lblLVSource->setObjectName(QStringLiteral("lblLVSource"));
    lblLVDest = new QLabel(QStringLiteral("Inhalt Zielordner"), this);
    lblLVDest->setObjectName(QStringLiteral("lblLVDest"));
    m_sourceList = new DirCompListModel(this);
    m_destList = new DirCompListModel(this);
    LVSource = new QTreeView(this);
    LVSource->setObjectName(QStringLiteral("LVSource"));
    LVSource->setModel(m_sourceList);
    LVDest = new QTreeView(this);
    LVDest->setObjectName(QStringLiteral("LVDest"));
    LVDest->setModel(m_destList);
    for (QTreeView* list : {LVSource, LVDest}) {
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setItemsExpandable(false);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->header()->setStretchLastSection(true);
    }
    chkDiff = new QCheckBox(QStringLiteral("Nur &unterschiedliche Dateien anzeigen"), this);
    chkDiff->setObjectName(QStringLiteral("chkDiff"));
    chkDiff->setToolTip(QStringLiteral("Nur unterschiedliche Dateien anzeigen"));
    fraAction = new QGroupBox(QStringLiteral("Aktion"), this);
    fraAction->setObjectName(QStringLiteral("fraAction"));
    const QString actions[] = {QStringLiteral("Übereinstimmende Dateien aus Quellordner löschen"),
                               QStringLiteral("Neue Dateien in Zielordner kopieren"),
                               QStringLiteral("Überschüssige Dateien aus Zielordner löschen")};
    for (int i = 0; i < 3; ++i) {
        chk[i] = new QCheckBox(actions[i], fraAction);
        chk[i]->setObjectName(QStringLiteral("chk%1").arg(i));
    }
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    progress = new JobProgressBar(this);
}

void frmDirComp::buildLayout()
{
    const int margin = TwipsToPx(100, this);
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(margin, margin, margin, margin);
    window->setSpacing(margin);

    auto* paths = new QGroupBox(this);
    auto* pathGrid = new QGridLayout(paths);
    for (int i = 0; i < 2; ++i) {
        pathGrid->addWidget(lblPath[i], i, 0);
        pathGrid->addWidget(txtPath[i], i, 1);
        pathGrid->addWidget(cmdBrowse[i], i, 2);
        cmdBrowse[i]->setFixedWidth(TwipsToPx(450, this));
    }
    pathGrid->addWidget(cmdCompare, 0, 3, 2, 1, Qt::AlignVCenter);
    pathGrid->setColumnStretch(1, 1);
    window->addWidget(paths);

    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(margin);
    lists->addWidget(lblLVSource, 0, 0);
    lists->addWidget(lblLVDest, 0, 1);
    lists->addWidget(LVSource, 1, 0);
    lists->addWidget(LVDest, 1, 1);
    lists->addWidget(chkDiff, 2, 0, 1, 2);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);
    lists->setRowStretch(1, 1);
    window->addLayout(lists, 1);

    auto* actions = new QVBoxLayout(fraAction);
    for (QCheckBox* box : chk)
        actions->addWidget(box);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(margin);
    bottom->addWidget(fraAction, 1);
    bottom->addLayout(buttons);
    window->addLayout(bottom);
    window->addWidget(progress);
}

void frmDirComp::connectControls()
{
    for (int i = 0; i < 2; ++i) {
        connect(txtPath[i], &QLineEdit::textChanged, this, &frmDirComp::pathEdited);
        connect(cmdBrowse[i], &QPushButton::clicked, this, [this, i] { browseClicked(i); });
    }
    connect(cmdCompare, &QPushButton::clicked, this, &frmDirComp::compareClicked);
    // clicked: only the user's click filters; setChecked from the code does not.
    connect(chkDiff, &QCheckBox::clicked, this, &frmDirComp::diffClicked);
    for (QCheckBox* box : chk)
        connect(box, &QCheckBox::toggled, this, &frmDirComp::updateOk);
    connect(cmdOK, &QPushButton::clicked, this, &frmDirComp::okClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDirComp::cancelClicked);
    connect(m_runner, &JobRunner::finished, this, [this](const JobResult& result) {
        if (const auto onEnd = std::exchange(m_onEnd, nullptr))
            onEnd(result);
    });
}

bool frmDirComp::Busy() const
{
    return m_runner && m_runner->isRunning();
}

void frmDirComp::setLabelEnabled(QLabel* label, bool enabled)
{
    QPalette look = label->palette();
    look.setColor(QPalette::WindowText, enabled ? palette().color(QPalette::WindowText)
                                                : ColorFromValue(DirCompListModel::kSameColour));
    label->setPalette(look);
}

void frmDirComp::SetListsEnabled(bool enabled)
{
    for (QLabel* label : {lblLVSource, lblLVDest})
        setLabelEnabled(label, enabled);
    for (QTreeView* list : {LVSource, LVDest}) {
        list->setEnabled(enabled);
        QPalette look = list->palette();
        look.setColor(QPalette::Base,
                      enabled ? QColor(Qt::white) : palette().color(QPalette::Window));
        list->setPalette(look);
    }
    chkDiff->setEnabled(m_sourceDiffers || m_destExtra);
    UpdateActions(enabled);
    if (!enabled) {
        m_sourceList->Clear();
        m_destList->Clear();
        m_comparison.reset();
    }
}

void frmDirComp::UpdateActions(bool enabled)
{
    if (!enabled) {
        for (QCheckBox* box : chk) {
            box->setEnabled(false);
            box->setChecked(false);
        }
        return;
    }
    if (m_sourceList->rowCount() == 0 && m_destList->rowCount() == 0)
        return;
    chk[0]->setEnabled(m_sourceList->Holds(DirCompClass::Same));
    chk[1]->setEnabled(m_sourceList->Holds(DirCompClass::Differs));
    chk[2]->setEnabled(m_destList->Holds(DirCompClass::Extra));
}

void frmDirComp::ResetLists()
{
    m_sourceDiffers = false;
    m_destExtra = false;
    SetListsEnabled(false);
}

void frmDirComp::LoadPaths()
{
    txtPath[0]->setText(AppGetSetting(akDirComp, QStringLiteral("SourcePath")));
    txtPath[1]->setText(AppGetSetting(akDirComp, QStringLiteral("DestPath")));
}

void frmDirComp::SavePaths()
{
    AppSaveSetting(akDirComp, QStringLiteral("SourcePath"), txtPath[0]->text());
    AppSaveSetting(akDirComp, QStringLiteral("DestPath"), txtPath[1]->text());
}

bool frmDirComp::Compare()
{
    const QString source = txtPath[0]->text();
    const QString dest = txtPath[1]->text();
    if (source.isEmpty() || dest.isEmpty())
        return false;
    m_sourceDiffers = false;
    m_destExtra = false;
    m_sourceList->Clear();
    m_destList->Clear();
    m_sourceList->SetHideSame(false);
    m_destList->SetHideSame(false);
    m_comparison.reset();
    chkDiff->setEnabled(false);
    chkDiff->setChecked(false);
    UpdateActions(false);
    auto job = std::make_shared<DirCompareJob>(source, dest);
    m_runner->setErrorPlace(kModule, QStringLiteral("cmdCompare_Click"));
    m_onEnd = [this, job](const JobResult& result) { compareEnded(job, result); };
    setBusy(true);
    m_runner->start(job);
    return true;
}

void frmDirComp::compareEnded(const std::shared_ptr<DirCompareJob>& job, const JobResult& result)
{
    setBusy(false);
    if (m_closing)
        return;
    // Both names for one folder, or two empty folders: the lists stay as
    // they are, disabled and empty; a stopped comparison leaves them so too.
    if (result.done() && job->outcome == pDirComp::Outcome::Compared) {
        m_comparison = job->comparison;
        m_sourceDiffers = m_comparison->SourceDiffers();
        m_destExtra = m_comparison->DestExtra();
        m_sourceList->SetRows(std::move(job->sourceRows));
        m_destList->SetRows(std::move(job->destRows));
        SetListsEnabled(true);
    } else {
        ResetLists();
    }
    Q_EMIT jobEnded();
}

void frmDirComp::compareClicked()
{
    guarded("cmdCompare_Click", [this] {
        SetListsEnabled(false);
        Compare();
    });
}

void frmDirComp::diffClicked(bool checked)
{
    if (Busy())
        return;
    guarded("chkDiff_Click", [this, checked] {
        if (!checked) {
            Compare();
            return;
        }
        m_sourceList->SetHideSame(true);
        m_destList->SetHideSame(true);
        chk[0]->setEnabled(false);
        chk[0]->setChecked(false);
    });
}

void frmDirComp::okClicked()
{
    if (Busy() || !m_comparison)
        return;
    guarded("cmdOK_Click", [this] {
        if (AppErr().MsgShow(Msg::StartActionQuestion,
                             MsgStyle::YesNo | MsgStyle::Question | MsgStyle::DefaultButton2) !=
            MsgResult::Yes)
            return;
        const int actions = (chk[0]->isChecked() ? pDirSync::DeleteSame : 0) |
                            (chk[1]->isChecked() ? pDirSync::Copy : 0) |
                            (chk[2]->isChecked() ? pDirSync::DeleteExtra : 0);
        auto job = std::make_shared<DirSyncJob>(m_comparison, actions);
        m_runner->setErrorPlace(kModule, QStringLiteral("cmdOK_Click"));
        m_onEnd = [this, job](const JobResult& result) { runEnded(job, result); };
        setBusy(true);
        m_runner->start(job);
    });
}

void frmDirComp::runEnded(const std::shared_ptr<DirSyncJob>& job, const JobResult& result)
{
    m_filesChanged = m_filesChanged || job->filesChanged;
    setBusy(false);
    if (m_closing)
        return;
    if (result.done()) {
        if (job->skipped.isEmpty())
            AppErr().MsgShow(Msg::ActionDone, MsgStyle::Information);
        else
            AppErr().MsgShow(Msg::ActionDoneSkipped, MsgStyle::Exclamation,
                             int(job->skipped.size()), skippedLines(job->skipped));
        guarded("cmdOK_Click", [this] {
            if (!Compare())
                ResetLists();
        });
        if (Busy())
            return; // jobEnded follows the comparison
    } else {
        // Stopped or failed: the remaining steps are skipped and the lists
        // keep what they showed (the failure was shown by the runner).
        if (result.status == JobResult::Status::Cancelled)
            AppErr().MsgShow(Msg::CancelDetected, MsgStyle::Exclamation);
        chkDiff->setEnabled(m_sourceDiffers || m_destExtra);
        UpdateActions(true);
    }
    Q_EMIT jobEnded();
}

void frmDirComp::browseClicked(int index)
{
    guarded("cmdBrowse_Click", [this, index] {
        const QString typed = txtPath[index]->text();
        QString start = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        if (!typed.isEmpty() && FolderExists(typed))
            start = typed;
        else if (!m_lastBrowseFolder.isEmpty() && FolderExists(m_lastBrowseFolder))
            start = m_lastBrowseFolder;
        const QString chosen =
            FileDialog().BrowseForFolder(QStringLiteral("Ordner wählen"), start, this);
        if (chosen.isEmpty())
            return;
        txtPath[index]->setText(chosen);
        m_lastBrowseFolder = FolderOf(chosen, false, true);
        ResetLists();
    });
}

void frmDirComp::cancelClicked()
{
    if (Busy())
        m_runner->cancel();
    else
        close();
}

void frmDirComp::reject()
{
    cancelClicked();
}

void frmDirComp::pathEdited()
{
    cmdCompare->setEnabled(!Busy() && !txtPath[0]->text().isEmpty() &&
                           !txtPath[1]->text().isEmpty());
    // The lists keep the last result, but nothing acts on it once a path
    // no longer names the folder it came from.
    if (m_comparison)
        UpdateActions(false);
}

void frmDirComp::updateOk()
{
    bool any = false;
    for (QCheckBox* box : chk)
        any = any || box->isChecked();
    cmdOK->setEnabled(any && !Busy());
}

void frmDirComp::setBusy(bool busy)
{
    for (int i = 0; i < 2; ++i) {
        txtPath[i]->setReadOnly(busy);
        cmdBrowse[i]->setEnabled(!busy);
    }
    if (busy) {
        chkDiff->setEnabled(false);
        for (QCheckBox* box : chk)
            box->setEnabled(false);
    }
    cmdCompare->setEnabled(!busy && !txtPath[0]->text().isEmpty() && !txtPath[1]->text().isEmpty());
    updateOk();
}

void frmDirComp::closeEvent(QCloseEvent* event)
{
    if (Busy()) {
        m_closing = true;
        m_runner->cancelAndWait();
        m_closing = false;
    }
    SavePaths();
    event->accept();
    if (RunsAlone())
        Q_EMIT shutdownRequested();
}
