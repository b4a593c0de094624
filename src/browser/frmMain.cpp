// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/frmMain.h"

#include "browser/DirListBox.h"
#include "browser/DriveList.h"
#include "browser/FileBoxModel.h"
#include "browser/FileInfoPane.h"
#include "browser/FileToolsCommands.h"
#include "browser/MainCommands.h"
#include "browser/MenuTrigger.h"
#include "browser/PathLabel.h"
#include "browser/RecentMenu.h"
#include "browser/Tray.h"
#include "browser/UserMenuCommands.h"
#include "browser/frmMainMenus.h"
#include "browser/frmMainPanes.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/ColorValue.h"
#include "core/FilePattern.h"
#include "core/Help.h"
#include "core/TextUtil.h"
#include "core/Twips.h"
#include "core/WidgetPlacement.h"
#include "core/WindowUtil.h"
#include "core/cuFormPositioner.h"
#include "core/cuRecentFiles.h"
#include "core/pOptions.h"
#include "fileinfo/OfficeDocProperties.h"
#include "pictures/pPicViewer.h"
#include "platform/FileNameCodec.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int kMinHeightTwips = 4000;
constexpr int kMinWidthTwips = 5000;
constexpr int kRecentEntries = 8;
} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    // Until the window is on screen, failures wait: no box before the window.
    m_runner.Hold();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tolvane"));
    AddMainCommands(m_commands);
    m_menus = std::make_unique<frmMainMenus>(this, m_commands);
    m_files = new FileBoxModel(this);
    m_panes = std::make_unique<frmMainPanes>(this, m_files);
    ConnectEntries();
    ConnectPanes();
    resize(TwipsToPx(11000, this), TwipsToPx(7500, this));
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::ConnectEntries()
{
    for (const MainCommand& row : m_commands.Rows()) {
        QAction* action = m_menus->Entry(row.name);
        if (!action || row.kind == MainCommand::Kind::Menu ||
            row.kind == MainCommand::Kind::Separator || row.kind == MainCommand::Kind::List)
            continue;
        const QString name = row.name;
        const bool check = row.kind == MainCommand::Kind::Check;
        connect(action, &QAction::triggered, this, [this, action, name, check] {
            // The handler moves the check mark itself.
            if (check)
                action->setChecked(!action->isChecked());
            RunCommand(name);
        });
    }
    QList<QAction*>& masks = m_menus->MaskEntries();
    for (int i = 0; i < masks.size(); ++i)
        connect(masks[i], &QAction::triggered, this,
                [this, i] { RunCommand(QStringLiteral("kMasks_List"), i); });
}

void frmMain::ConnectPanes()
{
    const frmMainPanes& p = *m_panes;
    connect(p.DriveBox, &QComboBox::activated, this, &frmMain::DriveBox_Change);
    connect(p.DirBox, &DirListBox::Change, this, &frmMain::DirBox_Change);
    connect(p.DirBox, &DirListBox::Chosen, this, &frmMain::DirBox_Click);
    connect(new MenuTrigger(p.DirBox, p.DirBox->viewport()), &MenuTrigger::Requested, this,
            &frmMain::ShowDirBoxMenu);
    connect(new MenuTrigger(p.FileBox, p.FileBox->viewport()), &MenuTrigger::Requested, this,
            &frmMain::ShowFileBoxMenu);
    connect(p.FileBox->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        ShowFileIno();
        ApplyToolStates();
    });
    connect(p.FileBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ShowFileIno(); });
    connect(p.cmbMask, &QComboBox::editTextChanged, this, &frmMain::cmbMask_Change);
    // Chosen from the list: the text changed with it unless it was the same
    // pattern; either way list and pane end up showing the same file.
    connect(p.cmbMask, &QComboBox::activated, this, [this] {
        if (m_files->Pattern() != m_panes->cmbMask->currentText())
            cmbMask_Change(m_panes->cmbMask->currentText());
    });
    p.cmbMask->installEventFilter(this);
    connect(p.cmdMasks, &QToolButton::released, this, [this] {
        const QToolButton* button = m_panes->cmdMasks;
        m_menus->Popup(QStringLiteral("kMasks"), button->mapToGlobal(QPoint(0, button->height())));
    });
    connect(p.fraFileInfo, &FileInfoPane::ListMenuRequested, this,
            [this](const QPoint& at) { m_menus->Popup(QStringLiteral("kFileInfo"), at); });
    connect(p.fraFileInfo, &FileInfoPane::PreviewMenuRequested, this, [this](const QPoint& at) {
        m_menus->Apply(m_commands, CurrentState(), QStringLiteral("kPicPreView"));
        m_menus->Popup(QStringLiteral("kPicPreView"), at);
    });
}

void frmMain::Form_Load()
{
    m_runner.Run("Form_Load", [this] {
        m_Patterns.Init(this);
        m_PicViewer = std::make_unique<pPicViewer>();
        m_DocProperties = std::make_unique<OfficeDocProperties>();
        m_predicates.FileIsPic = [this](const QString& name) {
            return m_PicViewer->FileIsPic(name);
        };
        m_predicates.PathHasPics = [this](const QString& folder) {
            return m_PicViewer->PathHasPics(folder);
        };
        AddFileToolPredicates(m_predicates);
        m_predicates.HasUserMenu = [this] { return HasUserMenuEntries(m_commands); };
        m_placement = std::make_unique<WidgetPlacement>(this);
        m_Positioner = std::make_unique<cuFormPositioner>();
        m_Positioner->SetForm(m_placement.get());
        m_Positioner->RegKey = AppKeyPath(akMainWindow);
        m_Positioner->SetMinHeight(kMinHeightTwips);
        m_Positioner->SetMinWidth(kMinWidthTwips);
        m_Positioner->LoadPosition();

        m_Tray = new Tray(this);
        m_Tray->SetForm(this);
        m_Tray->SetToolTipText(QStringLiteral("Tolvane"));
        m_Tray->SetContextMenu(m_menus->Menu(QStringLiteral("kTray")));
        connect(m_Tray, &Tray::DblClick, this, &frmMain::RestoreFromTray);

        const pOptions* options = AppOptions();
        m_menus->Entry(QStringLiteral("mView_FileInfo"))
            ->setChecked(!(options ? options->ShowFileInfo : true));
        ToggleFileInfo();
    });
    m_runner.Run("InitRecent", [this] { InitRecent(); });
    m_runner.Run("LoadInitMaskCombo", [this] { LoadInitMaskCombo(); });
    m_runner.Run("Form_Load", [this] {
        m_panes->fraFileInfo->SetListBackground(palette().color(QPalette::Window));
        StartFolder();
        if (const pOptions* options = AppOptions(); options && options->FontSize > 0)
            m_panes->ApplyFontSize(options->FontSize);
    });
}

void frmMain::InitRecent()
{
    const QString recent = kAppRootPath + QStringLiteral("\\Recent\\");
    m_RecentRegFiles = std::make_unique<cuRecentFiles>();
    m_RecentFolders = std::make_unique<cuRecentFiles>();
    const std::pair<cuRecentFiles*, const char*> lists[] = {{m_RecentRegFiles.get(), "RegFiles"},
                                                            {m_RecentFolders.get(), "Folders"}};
    for (const auto& [list, key] : lists) {
        list->SetIsSeparateMenu(true);
        list->SetMaxEntries(kRecentEntries);
        list->SetRegKey(recent + QLatin1String(key));
        // A larger stored capacity gives way to the menu's eight places.
        list->SetMaxEntries(kRecentEntries);
        list->SaveMaxEntries = true;
    }
    const std::pair<cuRecentFiles*, const char*> menus[] = {
        {m_RecentRegFiles.get(), "mFile_Last_Reg"}, {m_RecentFolders.get(), "mFile_Last_Folders"}};
    for (const auto& [list, name] : menus) {
        const QString entries = QLatin1String(name) + QStringLiteral("_List");
        auto* menu = new RecentMenu(list, m_menus->Menu(QLatin1String(name)), this);
        connect(menu, &RecentMenu::Chosen, this,
                [this, entries](int index) { RunCommand(entries, index); });
    }
}

void frmMain::LoadInitMaskCombo()
{
    QComboBox* combo = m_panes->cmbMask;
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItem(pPatterns::DefaultMask());
    QString mask = pPatterns::DefaultMask();
    const QString stored = AppGetSetting(akOptions, QStringLiteral("StartupMask"));
    if (!stored.isEmpty() && stored.compare(pPatterns::DefaultMask(), Qt::CaseInsensitive) != 0) {
        combo->addItem(stored);
        mask = stored;
    }
    combo->setEditText(mask);
    m_files->SetPattern(mask);
}

void frmMain::StartFolder()
{
    DirListBox* box = m_panes->DirBox;
    const QString folder = AppGetSetting(akOptions, QStringLiteral("StartupPath"));
    if (folder.isEmpty() || !box->SetPath(folder))
        box->SetPath(QDir::homePath());
}

void frmMain::RunCommand(const QString& name, int index)
{
    // The folder menu acts on the folder it was opened on.
    const bool folderMenu =
        name.startsWith(QLatin1String("kDirBox_")) && !m_dirMenuState.folder.isEmpty();
    const ToolState state = folderMenu ? m_dirMenuState : CurrentState();
    m_commands.Run(name, m_runner, {*this, state, index});
}

ToolState frmMain::CurrentState() const
{
    ToolState state = m_folderFacts;
    state.tests = &m_predicates;
    state.folder = m_files->Path();
    state.folderHasFiles = m_files->ListCount() > 0;
    QList<int> rows;
    for (const QModelIndex& index : m_panes->FileBox->selectionModel()->selectedRows())
        rows.append(index.row());
    state.selected = m_files->NamesAt(rows);
    const QModelIndex current = m_panes->FileBox->currentIndex();
    if (state.selected.size() == 1)
        state.current = state.selected.first();
    else if (current.isValid() && current.row() < m_files->ListCount())
        state.current = m_files->Names().at(current.row());
    return state;
}

void frmMain::ApplyToolStates()
{
    m_menus->Apply(m_commands, CurrentState());
}

void frmMain::UpdateFolderFacts()
{
    m_folderFacts = ToolState();
    const QString folder = m_files->Path();
    if (folder.isEmpty())
        return;
    m_folderFacts.folderHasPics = m_predicates.PathHasPics && m_predicates.PathHasPics(folder);
    m_folderFacts.folderHasIconFiles = ToolState::HasIconFiles(folder);
}

void frmMain::SyncDriveBox(const QString& path)
{
    QComboBox* drives = m_panes->DriveBox;
    const QString drive = DriveList::DriveOf(path);
    const QSignalBlocker block(drives);
    drives->clear();
    for (const DriveList::Drive& volume : DriveList::Volumes())
        drives->addItem(volume.caption, volume.rootPath);
    int index = drives->findData(drive);
    if (index < 0 && !drive.isEmpty()) {
        drives->addItem(drive, drive);
        index = drives->count() - 1;
    }
    drives->setCurrentIndex(index);
}

void frmMain::DriveBox_Change(int index)
{
    m_runner.Run("DriveBox_Change", [this, index] {
        const QString root = m_panes->DriveBox->itemData(index).toString();
        if (!DriveList::IsReady(root) || !m_panes->DirBox->SetPath(root)) {
            SyncDriveBox(m_panes->DirBox->Path());
            throw AppErrorRecord(68, QString(),
                                 QStringLiteral("Gerät nicht verfügbar: '%1'").arg(root));
        }
    });
}

void frmMain::DirBox_Click(const QString& path)
{
    m_runner.Run("DirBox_Click", [this, path] {
        if (!m_panes->DirBox->SetPath(path)) {
            m_panes->DirBox->SelectCurrent();
            throw AppErrorRecord(76, QString(),
                                 QStringLiteral("Der Ordner '%1' kann nicht geöffnet werden.")
                                     .arg(DisplayFileName(path)));
        }
    });
}

void frmMain::DirBox_Change()
{
    m_runner.Run("DirBox_Change", [this] {
        const QString path = m_panes->DirBox->Path();
        SyncDriveBox(path);
        m_files->SetPath(path);
        UpdateFolderFacts();
        RefreshFileView();
        if (isVisible() && !path.isEmpty() && m_RecentFolders)
            m_RecentFolders->Add(AddTrailing(path, QLatin1Char('/')));
    });
}

void frmMain::RefreshFileView()
{
    QListView* box = m_panes->FileBox;
    if (m_files->ListCount() > 0) {
        box->selectionModel()->setCurrentIndex(m_files->index(0),
                                               QItemSelectionModel::ClearAndSelect);
        box->scrollToTop();
    } else {
        ShowFileIno();
    }
    m_panes->lblPath->SetPath(m_files->Path());
    m_panes->lblFiles->setText(QString::number(m_files->ListCount()) + QStringLiteral(" Dateien"));
    ApplyToolStates();
}

qint32 frmMain::SelectedCount() const
{
    return qint32(m_panes->FileBox->selectionModel()->selectedRows().size());
}

bool frmMain::HasIconFiles() const
{
    return ToolState::HasIconFiles(m_files->Path());
}

QString frmMain::CurrentFilePath() const
{
    return CurrentState().CurrentPath();
}

void frmMain::ShowFileIno()
{
    if (!m_menus->Entry(QStringLiteral("mView_FileInfo"))->isChecked())
        return;
    m_runner.Run("ShowFileIno", [this] {
        const WaitCursor wait;
        FileInfoPane* pane = m_panes->fraFileInfo;
        pane->Reset();
        const QString path = CurrentFilePath();
        if (!path.isEmpty() && SelectedCount() <= 1)
            pane->ShowFile(path, *m_PicViewer, PictureBackColor());
    });
}

QColor frmMain::PictureBackColor() const
{
    const qint32 value = AppOptions() ? AppOptions()->PicPreViewBackColor : 0;
    if (value == 0)
        return palette().color(QPalette::Window);
    return ColorFromValue(quint32(value), palette());
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // The splitter shares out its width only once it is laid out.
    m_panes->ShareWidth(!m_panes->fraFileInfo->isHidden());
    // What failed while the window was being built is told now that it is up.
    QTimer::singleShot(0, this, [this] { m_runner.Release(); });
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        FormResize();
}

void frmMain::FormResize()
{
    const pOptions* options = AppOptions();
    const bool toTray = options && options->MinToSysTray && m_Tray && Tray::Available();
    if (isMinimized()) {
        // Without a notification area the window stays an ordinary minimised
        // window: hidden, nothing could bring it back.
        if (toTray && isVisible()) {
            m_Tray->ShowInTray();
            QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
        }
        return;
    }
    if (m_Tray && m_Tray->InTray() && isVisible())
        m_Tray->RemoveFromTray();
    setMinimumSize(TwipsToPx(kMinWidthTwips, this), TwipsToPx(kMinHeightTwips, this));
}

void frmMain::RestoreFromTray()
{
    if (isVisible() && !isMinimized())
        return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    if (m_Tray)
        m_Tray->RemoveFromTray();
    raise();
    activateWindow();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // The combo hands its focus events straight to its line edit, past any
    // filter there: leaving the combo is seen on the combo itself.
    if (watched == m_panes->cmbMask && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        m_runner.Run("cmbMask_Validate", [this] { cmbMask_Validate(); });
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_runner.Run("Form_Unload", [this] {
        Help().HTMLHelpCloseAll(this);
        QCoreApplication::processEvents();
        cmbMask_Validate();
        AppSaveSetting(akOptions, QStringLiteral("StartupPath"),
                       AddTrailing(m_panes->DirBox->Path(), QLatin1Char('/')));
        AppSaveSetting(akOptions, QStringLiteral("StartupMask"), m_panes->cmbMask->currentText());
        if (m_Positioner)
            m_Positioner->SavePosition();
        if (m_RecentFolders)
            m_RecentFolders->Save();
        if (m_RecentRegFiles)
            m_RecentRegFiles->Save();
    });
    if (m_Positioner)
        m_Positioner->AutoSave = false;
    delete m_Tray;
    m_Tray = nullptr;
    Q_EMIT unloaded();
}
