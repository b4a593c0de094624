// SPDX-License-Identifier: GPL-3.0-or-later
#include "regview/frmRegView.h"

#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/FileDialog.h"
#include "core/MessageTable.h"
#include "core/PathUtil.h"
#include "core/Twips.h"
#include "core/WidgetPlacement.h"
#include "core/WindowUtil.h"
#include "core/cuAppError.h"
#include "core/cuFormPositioner.h"
#include "core/pQXLibApp.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxService.h"
#include "regview/RegKeyModel.h"
#include "regview/RegKeyTree.h"
#include "regview/RegValueModel.h"
#include "regview/RegViewFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <cmath>

namespace {
const QString kForm = QStringLiteral("frmRegView");
constexpr int kSideTwips = 1500; // each side of the splitter at least
constexpr int kMinWidthTwips = 3000;
constexpr int kMinHeightTwips = 2000;
} // namespace

frmRegView::frmRegView(QWidget* owner) : QDialog(owner)
{
    setObjectName(kForm);
    setWindowTitle(QStringLiteral("RegView"));
    setSizeGripEnabled(true);
    BuildControls();
    setMinimumSize(TwipsToPx(kMinWidthTwips, this), TwipsToPx(kMinHeightTwips, this));
    resize(TwipsToPx(11000, this), TwipsToPx(7000, this));
    m_placement = std::make_unique<WidgetPlacement>(this);
    m_positioner = std::make_unique<cuFormPositioner>();
    m_positioner->AutoSave = false;
    m_positioner->SetForm(m_placement.get());
    m_positioner->RegKey = AppKeyPath(akRegViewerWindow);
    m_positioner->SetMinWidth(1000);
    m_positioner->SetMinHeight(1000);
    m_positioner->LoadPosition();
}

frmRegView::~frmRegView() = default;

void frmRegView::BuildControls()
{
    menuBar = new QMenuBar(this);
    mFile = menuBar->addMenu(QStringLiteral("&Datei"));
    mFile_Open = mFile->addAction(QStringLiteral("&Öffnen"));
    connect(mFile_Open, &QAction::triggered, this, &frmRegView::OpenOther);

    TV = new QTreeView;
    TV->setObjectName(QStringLiteral("TV"));
    TV->setHeaderHidden(true);
    TV->setUniformRowHeights(true);
    TV->setMinimumWidth(TwipsToPx(kSideTwips, this));
    connect(TV, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (m_keys)
            m_keys->SetExpanded(index, true);
    });
    connect(TV, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (m_keys)
            m_keys->SetExpanded(index, false);
    });

    m_values = new RegValueModel(this);
    LV = new QTreeView;
    LV->setObjectName(QStringLiteral("LV"));
    LV->setRootIsDecorated(false);
    LV->setUniformRowHeights(true);
    LV->setAllColumnsShowFocus(true);
    LV->setMinimumWidth(TwipsToPx(kSideTwips, this));
    LV->setModel(m_values);
    LV->header()->setStretchLastSection(true);

    splitter = new QSplitter(Qt::Horizontal);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(TV);
    splitter->addWidget(LV);
    splitter->setStretchFactor(1, 1);

    fraStatus = new QFrame;
    fraStatus->setObjectName(QStringLiteral("fraStatus"));
    lblStatus = new QLabel(QStringLiteral("- Status -"));
    lblStatus->setTextFormat(Qt::PlainText);
    PB = new QProgressBar;
    PB->setRange(0, 100);
    PB->setFixedWidth(TwipsToPx(3000, this));
    auto* status = new QHBoxLayout(fraStatus);
    status->setContentsMargins(0, 0, 0, 0);
    status->addWidget(lblStatus, 1);
    status->addWidget(PB);
    fraStatus->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(splitter, 1);
    layout->addWidget(fraStatus);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &frmRegView::OpenCNF);

    // Escape reaches the window before the lists (it stops a load).
    TV->installEventFilter(this);
    LV->installEventFilter(this);
    // The columns follow the width the list has to show them in.
    LV->viewport()->installEventFilter(this);
}

void frmRegView::Start(const QString& fileName)
{
    m_fileName = fileName;
    setWindowTitle(QStringLiteral("RegView - ") + DisplayFileName(fileName));
    show();
    Timer1->start();
}

int frmRegView::Init(const QString& fileName, QWidget* owner)
{
    if (owner && parentWidget() != owner)
        setParent(owner, windowFlags());
    setWindowModality(Qt::ApplicationModal);
    Start(fileName);
    return exec();
}

void frmRegView::OpenCNF()
{
    if (m_loading)
        return;
    Timer1->stop();
    TV->setModel(nullptr);
    delete m_keys;
    m_keys = nullptr;
    m_values->SetRows({});
    TV->hide();
    LV->hide();
    m_loading = true;
    m_cancel = false;
    mFile_Open->setEnabled(false);
    fraStatus->show();
    setWindowTitle(QStringLiteral("RegView - ") + DisplayFileName(m_fileName));
    // The previous file goes first: two large files need not fit together.
    m_file.reset();
    m_file = std::make_unique<RegViewFile>();
    connect(&m_file->Document(), &CNFFile::Status, this, &frmRegView::m_Cnf_Status);
    try {
        m_file->Read(m_fileName);
        WaitCursor wait;
        PB->setValue(0);
        if (!m_file->BuildTree([this](qint32 done, qint32 total) { return TreeStep(done, total); }))
            AppErr().MsgShow(Msg::CancelDetected, MsgStyle::Information);
    } catch (...) {
        AppErr().ErrMsg(kForm, QStringLiteral("OpenCNF"));
    }
    ShowTree();
    lblStatus->clear();
    fraStatus->hide();
    m_loading = false;
    mFile_Open->setEnabled(true);
    TV->show();
    LV->show();
    SizeColumns();
    Q_EMIT Loaded();
}

bool frmRegView::TreeStep(qint32 done, qint32 total)
{
    const int percent = total > 0 ? int(std::lround(double(done) * 100.0 / double(total))) : 0;
    lblStatus->setText(QStringLiteral("Baum wird erzeugt ...") + QString::number(percent) +
                       QStringLiteral(" % (ESC zum Abbrechen)"));
    PB->setValue(percent);
    QCoreApplication::processEvents();
    return !m_cancel;
}

void frmRegView::ShowTree()
{
    if (!m_file || m_file->Tree().Count() == 0)
        return;
    const QStyle* look = style();
    RegKeyModel::Icons icons{
        QIcon::fromTheme(QStringLiteral("folder"), look->standardIcon(QStyle::SP_DirClosedIcon)),
        QIcon::fromTheme(QStringLiteral("folder-open"), look->standardIcon(QStyle::SP_DirOpenIcon)),
        QIcon::fromTheme(QStringLiteral("edit-delete"), look->standardIcon(QStyle::SP_TrashIcon))};
    m_keys = new RegKeyModel(m_file->Tree(), std::move(icons), this);
    TV->setModel(m_keys);
    connect(TV->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &frmRegView::ShowValues);
    const QModelIndex first = m_keys->index(0, 0);
    TV->setCurrentIndex(first);
    TV->expand(first);
    TV->scrollTo(first);
}

void frmRegView::ShowValues(const QModelIndex& current)
{
    if (!m_file || !m_keys || !current.isValid()) {
        m_values->SetRows({});
        return;
    }
    try {
        m_values->SetRows(m_file->Values(m_keys->Node(current)));
    } catch (...) {
        m_values->SetRows({});
        AppErr().ErrMsg(kForm, QStringLiteral("TV_NodeClick"));
    }
    SizeColumns();
}

void frmRegView::SizeColumns()
{
    // "Name" a third of what the list can show, "Typ" as wide as its
    // longest entry, "Wert" the rest.
    QHeaderView* header = LV->header();
    const int usable = LV->viewport()->width();
    const QFontMetrics metrics(LV->font());
    int type = metrics.horizontalAdvance(QStringLiteral("REG_EXPAND_SZ"));
    for (const RegValueRow& row : m_values->Rows())
        type = std::max(type, metrics.horizontalAdvance(row.type));
    type = std::min(type + 2 * style()->pixelMetric(QStyle::PM_HeaderMargin) + 8, usable / 3);
    header->resizeSection(0, usable / 3);
    header->resizeSection(1, type);
}

void frmRegView::SizeControls(int twips)
{
    const int inner = PxToTwips(splitter->width(), this);
    const int x = std::clamp(twips, kSideTwips, std::max(kSideTwips, inner - kSideTwips));
    const int px = TwipsToPx(x, this);
    splitter->setSizes({px, std::max(0, splitter->width() - px - splitter->handleWidth())});
    SizeColumns();
}

void frmRegView::m_Cnf_Status(const QString& text, qint32 percent)
{
    // The reader reports each change of the percentage and lets events
    // through every 100 lines: repainting here as well would cost more
    // than the reading.
    lblStatus->setText(text + QStringLiteral(" (ESC zum Abbrechen)"));
    PB->setValue(percent);
}

void frmRegView::OpenOther()
{
    if (m_loading)
        return;
    try {
        const QString start = m_fileName.isEmpty() ? QDir::homePath() : FolderOf(m_fileName);
        std::unique_ptr<FileDialog> dialog =
            QXLibApp() ? QXLibApp()->GetFileDialog() : std::make_unique<FileDialog>();
        const QString chosen = dialog->GetOpenFileName(
            start, QString(), QStringLiteral("Bitte *.Reg-Datei auswählen"),
            QStringLiteral("Registrierungsdateien Win 95/NT4 (*.reg)|*.reg"), this);
        if (chosen.isEmpty())
            return;
        m_fileName = chosen;
    } catch (...) {
        AppErr().ErrMsg(kForm, QStringLiteral("mFile_Open_Click"));
        return;
    }
    OpenCNF();
}

void frmRegView::CancelLoading()
{
    if (!m_loading)
        return;
    if (m_file)
        m_file->Document().FileReadCancel();
    m_cancel = true;
}

void frmRegView::keyPressEvent(QKeyEvent* event)
{
    // Escape stops a load; it does not close the window.
    if (event->key() == Qt::Key_Escape) {
        CancelLoading();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmRegView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LV->viewport() && event->type() == QEvent::Resize)
        SizeColumns();
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && m_loading) {
        CancelLoading();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmRegView::closeEvent(QCloseEvent* event)
{
    if (m_loading) {
        event->ignore();
        AppErr().MsgShow(Msg::ReadStillRunning, MsgStyle::Exclamation);
        return;
    }
    m_positioner->SavePosition();
    event->accept();
    QDialog::closeEvent(event);
}
