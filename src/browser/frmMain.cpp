// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/frmMain.h"

#include "browser/DirListBox.h"
#include "browser/DriveList.h"
#include "browser/FileBoxModel.h"
#include "browser/FileInfoPane.h"
#include "core/FolderListing.h"
#include "browser/MainCommands.h"
#include "browser/RecentMenu.h"
#include "browser/Tray.h"
#include "core/Twips.h"
#include "core/WidgetPlacement.h"
#include "browser/frmMainMasks.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/ColorValue.h"
#include "core/Help.h"
#include "core/TextUtil.h"
#include "core/WindowUtil.h"
#include "core/cuAppError.h"
#include "core/cuFormPositioner.h"
#include "core/cuRecentFiles.h"
#include "core/pOptions.h"
#include "pictures/pPicViewer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {
constexpr int kMinHeightTwips = 4000;
constexpr int kMinWidthTwips = 5000;
constexpr int kInfoPaneTwips = 3500;
constexpr int kRecentEntries = 8;

QWidget* Frame(const char* name)
{
    auto* frame = new QWidget;
    frame->setObjectName(QLatin1String(name));
    return frame;
}
} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tolvane"));
    m_menus = std::make_unique<frmMainMenus>(this);
    m_commands = new MainCommands(*this);
    mFile_Quit = m_menus->mFile_Quit;
    mExtras_Calc = m_menus->mExtras_Calc;
    mExtras_TimeCalc = m_menus->mExtras_TimeCalc;
    mExtras_InterestCalc = m_menus->mExtras_InterestCalc;
    mExtras_Options = m_menus->mExtras_Options;
    BuildPanes();
    ConnectCommands();
    resize(TwipsToPx(11000, this), TwipsToPx(7500, this));
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::BuildPanes()
{
    EO = new QSplitter(Qt::Horizontal, this);
    EO->setObjectName(QStringLiteral("EO"));
    EO->setChildrenCollapsible(true);
    setCentralWidget(EO);

    fraFolders = Frame("fraFolders");
    DriveBox = new QComboBox(fraFolders);
    DriveBox->setObjectName(QStringLiteral("DriveBox"));
    DirBox = new DirListBox(fraFolders);
    DirBox->setObjectName(QStringLiteral("DirBox"));

    fraFiles = Frame("fraFiles");
    lblPath = new QLabel(fraFiles);
    lblPath->setObjectName(QStringLiteral("lblPath"));
    lblFiles = new QLabel(fraFiles);
    lblFiles->setObjectName(QStringLiteral("lblFiles"));
    lblFiles->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_files = new FileBoxModel(this);
    FileBox = new QListView(fraFiles);
    FileBox->setObjectName(QStringLiteral("FileBox"));
    FileBox->setModel(m_files);
    FileBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FileBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FileBox->setUniformItemSizes(true);
    FileBox->setLayoutMode(QListView::Batched);
    FileBox->viewport()->installEventFilter(this);
    cmbMask = new QComboBox(fraFiles);
    cmbMask->setObjectName(QStringLiteral("cmbMask"));
    cmbMask->setEditable(true);
    cmbMask->setInsertPolicy(QComboBox::NoInsert);
    cmbMask->lineEdit()->installEventFilter(this);
    cmdMasks = new QToolButton(fraFiles);
    cmdMasks->setObjectName(QStringLiteral("cmdMasks"));
    cmdMasks->setText(QStringLiteral("..."));
    cmdMasks->setToolTip(QStringLiteral("Dateimasken"));

    fraFileInfo = new FileInfoPane;
    for (QWidget* pane : {fraFolders, fraFiles, static_cast<QWidget*>(fraFileInfo)}) {
        EO->addWidget(pane);
        pane->installEventFilter(this);
    }
    EO->setCollapsible(0, false);
    EO->setCollapsible(1, false);
    // Narrowing the window takes from the folder and file panes, never so far
    // that the file count and the mask button no longer fit.
    EO->setStretchFactor(0, 1);
    EO->setStretchFactor(1, 2);
    EO->setStretchFactor(2, 0);
    fraFolders->setMinimumWidth(TwipsToPx(1200, this));
    fraFiles->setMinimumWidth(TwipsToPx(2000, this));
    EO->setSizes({TwipsToPx(3000, this), TwipsToPx(4000, this), TwipsToPx(kInfoPaneTwips, this)});
}

void frmMain::ConnectCommands()
{
    frmMainMenus& m = *m_menus;
    auto handle = [this](QAction* action, const char* procedure, auto body) {
        connect(action, &QAction::triggered, this, [procedure, body] {
            try {
                body();
            } catch (...) {
                AppErr().ErrMsg(QStringLiteral("frmMain"), QLatin1String(procedure));
            }
        });
    };
    handle(m.mFile_Quit, "mFile_Quit_Click", [this] { close(); });
    handle(m.kTray_Quit, "kTray_Quit_Click", [this] { close(); });
    handle(m.mExtras_Options, "mExtras_Options_Click", [this] { Q_EMIT optionsRequested(); });
    connect(m.mView_FileInfo, &QAction::triggered, this, [this] {
        // The menu has already moved the check mark; the handler moves it itself.
        m_menus->mView_FileInfo->setChecked(!m_menus->mView_FileInfo->isChecked());
        mView_FileInfo_Click();
    });
    handle(m.kDirBox_Refresh, "kDirBox_Refresh_Click", [this] {
        DirBox->Refresh();
        DirBox_Change();
    });
    handle(m.kFileBox_Select_All, "kFileBox_Select_All_Click",
           [this] { SelectFiles(QString(), true); });
    handle(m.kFileBox_Select_Nothing, "kFileBox_Select_Nothing_Click",
           [this] { SelectFiles(QString(), false); });
    connect(m.kTray_Restore, &QAction::triggered, this, &frmMain::m_Tray_DblClick);
    for (int i = 0; i < m.kMasks_List.size(); ++i)
        connect(m.kMasks_List[i], &QAction::triggered, this, [this, i] { kMasks_List_Click(i); });

    connect(DriveBox, &QComboBox::activated, this, &frmMain::DriveBox_Change);
    connect(DirBox, &DirListBox::Change, this, &frmMain::DirBox_Change);
    connect(DirBox, &DirListBox::RightButtonUp, this, [this](const QPoint& at) {
        if (!DirBox->Path().isEmpty())
            m_menus->kDirBox->popup(at);
    });
    connect(FileBox->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { ShowFileIno(); });
    connect(FileBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ShowFileIno(); });
    connect(cmbMask, &QComboBox::editTextChanged, this, &frmMain::cmbMask_Change);
    connect(cmbMask, &QComboBox::activated, this,
            [this] { m_files->SetPattern(cmbMask->currentText()); });
    connect(cmdMasks, &QToolButton::released, this, [this] {
        m_menus->kMasks->popup(cmdMasks->mapToGlobal(QPoint(0, cmdMasks->height())));
    });
    connect(fraFileInfo, &FileInfoPane::RightButtonUp, this,
            [this](const QPoint& at) { m_menus->kFileInfo->popup(at); });
}

void frmMain::Form_Load()
{
    try {
        m_Patterns.Init(this);
        m_PicViewer = std::make_unique<pPicViewer>();
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
        m_Tray->SetContextMenu(m_menus->kTray);
        connect(m_Tray, &Tray::DblClick, this, &frmMain::m_Tray_DblClick);

        const pOptions* options = AppOptions();
        m_menus->mView_FileInfo->setChecked(!(options ? options->ShowFileInfo : true));
        mView_FileInfo_Click();
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("Form_Load"));
    }
    InitRecent();
    LoadInitMaskCombo();
    try {
        QPalette listPalette = fraFileInfo->LVFileInfo->palette();
        listPalette.setColor(QPalette::Base, palette().color(QPalette::Window));
        fraFileInfo->LVFileInfo->setPalette(listPalette);
        StartFolder();
        RefreshFileView();
        if (const pOptions* options = AppOptions(); options && options->FontSize > 0) {
            for (QWidget* box : {static_cast<QWidget*>(FileBox), static_cast<QWidget*>(DirBox),
                                 static_cast<QWidget*>(DriveBox)}) {
                QFont font = box->font();
                font.setPointSize(options->FontSize);
                box->setFont(font);
            }
        }
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("Form_Load"));
    }
}

void frmMain::InitRecent()
{
    try {
        const QString recent = kAppRootPath + QStringLiteral("\\Recent\\");
        m_RecentRegFiles = std::make_unique<cuRecentFiles>();
        m_RecentFolders = std::make_unique<cuRecentFiles>();
        const std::pair<cuRecentFiles*, const char*> lists[] = {
            {m_RecentRegFiles.get(), "RegFiles"}, {m_RecentFolders.get(), "Folders"}};
        for (const auto& [list, key] : lists) {
            list->SetIsSeparateMenu(true);
            list->SetMaxEntries(kRecentEntries);
            list->SetRegKey(recent + QLatin1String(key));
            // A larger stored capacity gives way to the menu's eight places.
            list->SetMaxEntries(kRecentEntries);
            list->SaveMaxEntries = true;
        }
        m_regMenu = new RecentMenu(m_RecentRegFiles.get(), m_menus->mFile_Last_Reg, this);
        m_folderMenu = new RecentMenu(m_RecentFolders.get(), m_menus->mFile_Last_Folders, this);
        connect(m_regMenu, &RecentMenu::Chosen, m_commands, &MainCommands::mFile_Last_Reg_Click);
        connect(m_folderMenu, &RecentMenu::Chosen, m_commands,
                &MainCommands::mFile_Last_Folders_Click);
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("InitRecent"));
    }
}

void frmMain::LoadInitMaskCombo()
{
    try {
        const QSignalBlocker block(cmbMask);
        cmbMask->clear();
        cmbMask->addItem(pPatterns::DefaultMask());
        QString mask = pPatterns::DefaultMask();
        const QString stored = AppGetSetting(akOptions, QStringLiteral("StartupMask"));
        if (!stored.isEmpty() &&
            stored.compare(pPatterns::DefaultMask(), Qt::CaseInsensitive) != 0) {
            cmbMask->addItem(stored);
            mask = stored;
        }
        cmbMask->setEditText(mask);
        m_files->SetPattern(mask);
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("LoadInitMaskCombo"));
    }
}

void frmMain::StartFolder()
{
    QString folder = AppGetSetting(akOptions, QStringLiteral("StartupPath"));
    if (folder.isEmpty() || !QFileInfo(folder).isDir() || !DirBox->SetPath(folder))
        DirBox->SetPath(QDir::homePath());
}

void frmMain::SyncDriveBox(const QString& path)
{
    const QString drive = DriveList::DriveOf(path);
    const QSignalBlocker block(DriveBox);
    DriveBox->clear();
    for (const DriveList::Drive& volume : DriveList::Volumes())
        DriveBox->addItem(volume.caption, volume.rootPath);
    int index = DriveBox->findData(drive);
    if (index < 0 && !drive.isEmpty()) {
        DriveBox->addItem(drive, drive);
        index = DriveBox->count() - 1;
    }
    DriveBox->setCurrentIndex(index);
}

void frmMain::DriveBox_Change(int index)
{
    try {
        const QString root = DriveBox->itemData(index).toString();
        if (!DriveList::IsReady(root) || !DirBox->SetPath(root)) {
            SyncDriveBox(DirBox->Path());
            throw AppErrorRecord(68, QString(),
                                 QStringLiteral("Gerät nicht verfügbar: '%1'").arg(root));
        }
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("DriveBox_Change"));
    }
}

void frmMain::DirBox_Change()
{
    try {
        const QString path = DirBox->Path();
        SyncDriveBox(path);
        m_files->SetPath(path);
        RefreshFileView();
        if (isVisible() && !path.isEmpty() && m_RecentFolders)
            m_RecentFolders->Add(AddTrailing(path, QLatin1Char('/')));
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("DirBox_Change"));
    }
}

void frmMain::RefreshFileView()
{
    if (m_files->ListCount() > 0) {
        FileBox->selectionModel()->setCurrentIndex(m_files->index(0),
                                                   QItemSelectionModel::ClearAndSelect);
        FileBox->scrollToTop();
    } else {
        ShowFileIno();
    }
    lblPath->setText(ShortenPathToWidth(m_files->Path(), lblPath));
    lblPath->setToolTip(m_files->Path());
    lblFiles->setText(QString::number(m_files->ListCount()) + QStringLiteral(" Dateien"));
    LayoutPanes();
}

qint32 frmMain::SelectedCount() const
{
    return qint32(FileBox->selectionModel()->selectedRows().size());
}

void frmMain::SelectFiles(const QString& name, bool state)
{
    QItemSelectionModel* selection = FileBox->selectionModel();
    if (name.isEmpty()) {
        if (!state || m_files->ListCount() == 0) {
            selection->clearSelection();
            return;
        }
        selection->select(
            QItemSelection(m_files->index(0), m_files->index(m_files->ListCount() - 1)),
            QItemSelectionModel::ClearAndSelect);
        return;
    }
    // A file is its exact name here: a.txt and A.txt are two files.
    const int row = int(m_files->Names().indexOf(name));
    selection->clearSelection();
    if (row >= 0) {
        selection->setCurrentIndex(m_files->index(row), QItemSelectionModel::ClearAndSelect);
        FileBox->scrollTo(m_files->index(row));
    }
}

bool frmMain::HasIconFiles() const
{
    for (const char* pattern : {"*.ico", "*.dll", "*.exe"}) {
        if (FolderListing::HasFile(m_files->Path(), FilePattern(QLatin1String(pattern))))
            return true;
    }
    return false;
}

QString frmMain::CurrentFilePath() const
{
    const QModelIndex current = FileBox->currentIndex();
    if (!current.isValid())
        return {};
    return m_files->Path() + m_files->Names().at(current.row());
}

void frmMain::ShowFileIno()
{
    if (!m_menus->mView_FileInfo->isChecked())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        fraFileInfo->Reset();
        const QString path = CurrentFilePath();
        if (!path.isEmpty() && SelectedCount() <= 1)
            fraFileInfo->ShowFile(path, *m_PicViewer, PictureBackColor());
    } catch (...) {
        QApplication::restoreOverrideCursor();
        AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("ShowFileIno"));
        return;
    }
    QApplication::restoreOverrideCursor();
}

QColor frmMain::PictureBackColor() const
{
    const qint32 value = AppOptions() ? AppOptions()->PicPreViewBackColor : 0;
    if (value == 0)
        return palette().color(QPalette::Window);
    return ColorFromValue(quint32(value), palette());
}

void frmMain::mView_FileInfo_Click()
{
    try {
        QAction* item = m_menus->mView_FileInfo;
        item->setChecked(!item->isChecked());
        QList<int> sizes = EO->sizes();
        int total = 0;
        for (int size : sizes)
            total += size;
        if (total <= 0 || sizes[0] <= 0) {
            // Not laid out yet: the window's own width is what there is to share.
            total = std::max(total, EO->width() > 100 ? EO->width() : width());
            sizes[0] = TwipsToPx(3000, this);
        }
        const int shown = item->isChecked() ? TwipsToPx(kInfoPaneTwips, this) : 0;
        sizes[2] = shown;
        sizes[1] = std::max(0, total - sizes[0] - shown);
        fraFileInfo->setVisible(item->isChecked());
        EO->setSizes(sizes);
        if (item->isChecked())
            ShowFileIno();
        if (pOptions* options = AppOptions())
            options->ShowFileInfo = item->isChecked();
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("mView_FileInfo_Click"));
    }
}

void frmMain::SetMaskMenuEntries(const QList<QPair<QString, QString>>& captionsAndTags)
{
    QList<QAction*>& list = m_menus->kMasks_List;
    while (list.size() > 3)
        delete list.takeLast();
    for (const auto& [caption, tag] : captionsAndTags) {
        QString text = caption;
        QAction* entry =
            m_menus->kMasks->addAction(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
        const int index = int(list.size());
        entry->setObjectName(QStringLiteral("kMasks_List_") + QString::number(index));
        entry->setData(caption);
        entry->setToolTip(tag);
        connect(entry, &QAction::triggered, this, [this, index] { kMasks_List_Click(index); });
        list.append(entry);
    }
}

void frmMain::kMasks_List_Click(int index)
{
    try {
        if (index == 0) {
            m_commands->OpenMaskEditor();
            return;
        }
        const QSignalBlocker block(cmbMask);
        cmbMask->clear();
        QStringList items{pPatterns::DefaultMask()};
        if (index >= 3 && index < m_menus->kMasks_List.size()) {
            if (const pPattern* mask =
                    m_Patterns.Item(m_menus->kMasks_List[index]->data().toString()))
                items = mask->ComboPatterns();
        }
        cmbMask->addItems(items);
        cmbMask->setCurrentIndex(cmbMask->count() - 1);
        m_files->SetPattern(cmbMask->currentText());
        RefreshFileView();
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("kMasks_List_Click"));
    }
}

void frmMain::cmbMask_Change(const QString& text)
{
    try {
        m_files->SetPattern(text);
        RefreshFileView();
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("cmbMask_Change"));
    }
}

void frmMain::cmbMask_Validate()
{
    const QString text = cmbMask->currentText();
    if (text.isEmpty()) {
        cmbMask->setEditText(pPatterns::DefaultMask());
        return;
    }
    if (text.contains(QLatin1Char('.')) && cmbMask->findText(text, Qt::MatchFixedString) >= 0)
        return;
    const QSignalBlocker block(cmbMask);
    cmbMask->addItem(text);
    cmbMask->setEditText(text);
}

void frmMain::LayoutPanes()
{
    const auto px = [this](double twips) { return TwipsToPx(twips, this); };
    const int H = fraFolders->height();
    DriveBox->setGeometry(px(50), px(200), std::max(0, fraFolders->width() - px(100)),
                          DriveBox->sizeHint().height());
    const int dirTop = DriveBox->geometry().bottom() + 1 + px(50);
    DirBox->setGeometry(px(50), dirTop, DriveBox->width(), std::max(0, H - dirTop - px(50)));

    const int W = fraFiles->width();
    const int comboHeight = cmbMask->sizeHint().height();
    FileBox->setGeometry(px(50), dirTop, std::max(0, W - px(100)),
                         std::max(0, H - dirTop - comboHeight - px(50)));
    const int labelHeight = lblFiles->sizeHint().height();
    const int labelTop = DriveBox->y() + (DriveBox->height() - labelHeight) / 2;
    const int filesWidth = lblFiles->sizeHint().width();
    lblFiles->setGeometry(FileBox->x() + FileBox->width() - filesWidth, labelTop, filesWidth,
                          labelHeight);
    lblPath->setGeometry(px(50), labelTop, std::max(0, FileBox->width() - filesWidth), labelHeight);
    const int buttonWidth = std::max(cmdMasks->sizeHint().width(), comboHeight);
    cmbMask->setGeometry(px(50), fraFiles->height() - comboHeight - px(50),
                         std::max(0, W - px(150) - buttonWidth), comboHeight);
    cmdMasks->setGeometry(cmbMask->x() + cmbMask->width(), cmbMask->y(), buttonWidth, comboHeight);
    lblPath->setText(ShortenPathToWidth(m_files->Path(), lblPath));
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // The splitter shares out its width only once it is laid out: the left
    // pane gets its design width, the right pane its 3500 twips or nothing.
    const int total = EO->width();
    const int left = std::min(TwipsToPx(3000, this), total / 3);
    const int right = fraFileInfo->isVisible() ? TwipsToPx(kInfoPaneTwips, this) : 0;
    EO->setSizes({left, std::max(0, total - left - right), right});
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
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
    LayoutPanes();
}

void frmMain::m_Tray_DblClick()
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
    if (event->type() == QEvent::Resize &&
        (watched == fraFolders || watched == fraFiles || watched == fraFileInfo))
        LayoutPanes();
    if (watched == cmbMask->lineEdit() && event->type() == QEvent::FocusOut)
        cmbMask_Validate();
    if (watched == FileBox->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            m_commands->ShowFileBoxMenu(mouse->globalPosition().toPoint());
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    try {
        Help().HTMLHelpCloseAll(this);
        QCoreApplication::processEvents();
        AppSaveSetting(akOptions, QStringLiteral("StartupPath"),
                       AddTrailing(DirBox->Path(), QLatin1Char('/')));
        AppSaveSetting(akOptions, QStringLiteral("StartupMask"), cmbMask->currentText());
        if (m_Positioner)
            m_Positioner->SavePosition();
        if (m_RecentFolders)
            m_RecentFolders->Save();
        if (m_RecentRegFiles)
            m_RecentRegFiles->Save();
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("Form_Unload"));
    }
    if (m_Positioner)
        m_Positioner->AutoSave = false;
    delete m_Tray;
    m_Tray = nullptr;
    Q_EMIT unloaded();
}
