// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/frmIconView.h"

#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/ColorValue.h"
#include "core/FileDialog.h"
#include "core/JobProgressBar.h"
#include "core/JobRunner.h"
#include "core/MessageTable.h"
#include "core/PathUtil.h"
#include "core/Twips.h"
#include "core/WidgetPlacement.h"
#include "core/cuAppError.h"
#include "core/cuFormPositioner.h"
#include "icons/IconSave.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxService.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kListWidthTwips = 2700;
constexpr int kMinExtraTwips = 2000;
constexpr int kMinPositionTwips = 1000;
const QString kModule = QStringLiteral("frmIconView");
constexpr int kKeyRole = Qt::UserRole;

QRadioButton* AddOption(QGroupBox* box, const char* name, const char* caption, const char* tip)
{
    auto* option = new QRadioButton(QString::fromUtf8(caption), box);
    option->setObjectName(QLatin1String(name));
    if (tip)
        option->setToolTip(QString::fromUtf8(tip));
    box->layout()->addWidget(option);
    return option;
}
} // namespace

frmIconView::frmIconView(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(kModule);
    BuildControls();
    Form_Load();
}

frmIconView::~frmIconView()
{
    // Gone with its owner without closing: the listing still ends first.
    ++m_listing;
    m_runner->cancelAndWait();
}

void frmIconView::BuildControls()
{
    picSettings1 = new QGroupBox(this);
    picSettings1->setObjectName(QStringLiteral("picSettings1"));
    picSettings1->setLayout(new QVBoxLayout);
    opt[0] = AddOption(picSettings1, "opt_0", "Icons (*.ico)", "Standard-Icons anzeigen");
    opt[1] = AddOption(picSettings1, "opt_1", "Ausführbar (*.exe, *.dll)",
                       "Icons der ausführbaren Dateien extrahieren");
    picSettings2 = new QGroupBox(this);
    picSettings2->setObjectName(QStringLiteral("picSettings2"));
    picSettings2->setLayout(new QVBoxLayout);
    optSize[0] = AddOption(picSettings2, "optSize_0", "16 Pixel", nullptr);
    optSize[1] = AddOption(picSettings2, "optSize_1", "32 Pixel", nullptr);

    lstFiles = new QListWidget(this);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    // The column is as wide as the longer option caption needs.
    lstFiles->setFixedWidth(
        std::max(TwipsToPx(kListWidthTwips, this), picSettings1->sizeHint().width()));
    picSettings1->setFixedWidth(lstFiles->width());
    picSettings2->setFixedWidth(lstFiles->width());

    LV = new QListWidget(this);
    LV->setObjectName(QStringLiteral("LV"));
    LV->setViewMode(QListView::IconMode);
    LV->setResizeMode(QListView::Adjust);
    LV->setMovement(QListView::Static);
    LV->setUniformItemSizes(true);
    LV->setContextMenuPolicy(Qt::CustomContextMenu);

    m_runner = new JobRunner(this);
    m_runner->setErrorPlace(kModule, QStringLiteral("Listing"));
    PB = new JobProgressBar(this);
    PB->setObjectName(QStringLiteral("PB"));
    PB->watch(m_runner);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lstFiles, 0, 0);
    grid->addWidget(picSettings1, 1, 0);
    grid->addWidget(picSettings2, 2, 0);
    grid->addWidget(LV, 0, 1, 3, 1);
    grid->addWidget(PB, 3, 0, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(1, 1);
    setMinimumSize(lstFiles->width() + TwipsToPx(kMinExtraTwips, this),
                   picSettings1->sizeHint().height() + picSettings2->sizeHint().height() +
                       TwipsToPx(kMinExtraTwips, this));

    kLV = new QMenu(this);
    kLV->setObjectName(QStringLiteral("kLV"));
    QAction* save = kLV->addAction(QStringLiteral("&Speichern als ..."));
    save->setObjectName(QStringLiteral("kLV_SaveAs"));

    for (int i = 0; i < 2; ++i) {
        connect(opt[i], &QRadioButton::clicked, this, [this, i] { opt_Click(i); });
        connect(optSize[i], &QRadioButton::clicked, this, [this, i] { optSize_Click(i); });
    }
    connect(lstFiles, &QListWidget::itemClicked, this, [this] { lstFiles_Click(); });
    connect(LV, &QWidget::customContextMenuRequested, this, &frmIconView::LV_MouseUp);
    connect(save, &QAction::triggered, this, &frmIconView::kLV_SaveAs_Click);
}

void frmIconView::Form_Load()
{
    Guarded("Form_Load", [this] {
        const QString value = AppGetSettingDefault(akIconViewer, QStringLiteral("BMPBackColor"),
                                                   QStringLiteral("16777215"));
        bool ok = false;
        const quint32 colour = value.trimmed().toUInt(&ok);
        m_state.backColor = ok ? colour : 0xFFFFFF;
        m_placement = std::make_unique<WidgetPlacement>(this);
        m_Positioner = std::make_unique<cuFormPositioner>();
        m_Positioner->SetForm(m_placement.get());
        m_Positioner->RegKey = AppKeyPath(akIconViewerWindow);
        m_Positioner->SetMinWidth(kMinPositionTwips);
        m_Positioner->SetMinHeight(kMinPositionTwips);
        resize(TwipsToPx(10500, this), TwipsToPx(7000, this));
        m_Positioner->LoadPosition();
    });
}

void frmIconView::closeEvent(QCloseEvent* event)
{
    // Nothing reads on once the window is going.
    ++m_listing;
    m_runner->cancelAndWait();
    if (m_Positioner)
        m_Positioner->SavePosition();
    QWidget::closeEvent(event);
}

bool frmIconView::IsListing() const
{
    return m_runner->isRunning();
}

void frmIconView::Guarded(const char* procedure, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        AppErr().ErrMsg(AppErrorRecord::fromException(std::current_exception()), kModule,
                        QLatin1String(procedure));
    }
}

bool frmIconView::pubInitForm(const QString& folder, bool preferIconFiles, bool largeIcons)
{
    if (!m_state.Open(folder)) {
        AppErr().MsgShow(Msg::NoMatchingFiles, MsgStyle::Exclamation,
                         DisplayFileName(m_state.Folder()));
        return false;
    }
    opt[0]->setEnabled(m_state.HasIconFiles());
    opt[1]->setEnabled(m_state.HasExecutables());
    optSize[largeIcons ? 1 : 0]->setChecked(true);
    m_state.size = largeIcons ? 32 : 16;
    const bool iconFiles = preferIconFiles && m_state.HasIconFiles();
    show();
    const int source = iconFiles ? 0 : 1;
    opt[source]->setChecked(true);
    opt_Click(source);
    return true;
}

void frmIconView::ClearIcons()
{
    // What the old listing still delivers, and its end, are for nobody.
    ++m_listing;
    m_runner->cancelAndWait();
    LV->clear();
    m_state.items.clear();
    LV->setIconSize(QSize(m_state.size, m_state.size));
    // Room for the icon and a caption of a file name below it.
    LV->setGridSize(QSize(m_state.size + 64, m_state.size + 2 * fontMetrics().height() + 8));
}

void frmIconView::opt_Click(int index)
{
    Guarded("opt_Click", [this, index] {
        m_state.source = index == 0 ? IconViewState::IconFiles : IconViewState::Executables;
        m_state.size = optSize[0]->isChecked() ? 16 : 32;
        ClearIcons();
        lstFiles->clear();
        lstFiles->setEnabled(index == 1);
        lstFiles->setBackgroundRole(index == 1 ? QPalette::Base : QPalette::Window);
        if (index == 0)
            ListIconFiles();
        else
            ListExecutables();
    });
}

void frmIconView::optSize_Click(int index)
{
    Guarded("optSize_Click", [this, index] {
        m_state.size = index == 0 ? 16 : 32;
        // The cell size follows the icons in both modes.
        if (m_state.source == IconViewState::IconFiles) {
            ClearIcons();
            ListIconFiles();
        } else if (!m_state.executable.isEmpty()) {
            ClearIcons();
            ListExecutableIcons();
        }
    });
}

void frmIconView::lstFiles_Click()
{
    Guarded("lstFiles_Click", [this] {
        const QListWidgetItem* item = lstFiles->currentItem();
        if (!item)
            return;
        m_state.executable = item->data(kKeyRole).toString();
        ClearIcons();
        ListExecutableIcons();
    });
}

void frmIconView::ListIconFiles()
{
    setWindowTitle(m_state.Caption());
    const quint64 listing = m_listing;
    const QString folder = m_state.Folder();
    const int size = m_state.size;
    m_runner->start([this, listing, folder, size](JobContext& context) {
        IconListing::ListIconFiles(folder, size, context, [this, listing, &context](auto items) {
            context.deliver([this, listing, items] {
                if (listing == m_listing)
                    AddItems(items);
            });
        });
    });
}

void frmIconView::ListExecutables()
{
    setWindowTitle(m_state.Caption());
    m_state.executable.clear();
    const quint64 listing = m_listing;
    const QString folder = m_state.Folder();
    m_runner->start([this, listing, folder](JobContext& context) {
        IconListing::ListExecutables(folder, context, [this, listing, &context](QStringList names) {
            context.deliver([this, listing, names] {
                if (listing != m_listing)
                    return;
                for (const QString& name : names) {
                    auto* item = new QListWidgetItem(DisplayFileName(name), lstFiles);
                    item->setData(kKeyRole, name);
                }
            });
        });
    });
    // Once the list stands, the first program shows its icons.
    auto* once = new QObject(this);
    connect(m_runner, &JobRunner::finished, once, [this, listing, once](const JobResult&) {
        once->deleteLater();
        if (listing != m_listing || lstFiles->count() == 0)
            return;
        lstFiles->setFocus();
        lstFiles->setCurrentRow(0);
        lstFiles_Click();
    });
}

void frmIconView::ListExecutableIcons()
{
    setWindowTitle(m_state.Caption());
    const quint64 listing = m_listing;
    const QString path = m_state.Folder() + m_state.executable;
    const int size = m_state.size;
    m_runner->start([this, listing, path, size](JobContext& context) {
        IconListing::ListExecutableIcons(path, size, context,
                                         [this, listing, &context](auto items) {
                                             context.deliver([this, listing, items] {
                                                 if (listing == m_listing)
                                                     AddItems(items);
                                             });
                                         });
    });
}

void frmIconView::AddItems(const QList<IconItem>& items)
{
    for (const IconItem& icon : items) {
        m_state.items.append(icon);
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(icon.image)), icon.text, LV);
        item->setData(kKeyRole, icon.key);
    }
}

void frmIconView::LV_MouseUp(const QPoint& at)
{
    if (LV->itemAt(at) && LV->currentItem() && LV->currentItem()->isSelected())
        kLV->popup(LV->viewport()->mapToGlobal(at));
}

void frmIconView::kLV_SaveAs_Click()
{
    Guarded("kLV_SaveAs_Click", [this] {
        const QListWidgetItem* selected = LV->currentItem();
        const IconItem* icon =
            selected ? m_state.Item(selected->data(kKeyRole).toString()) : nullptr;
        if (!icon)
            return;
        FileDialog dialog;
        dialog.AddFilterSuffix = true;
        const QString path = dialog.GetSaveFileName(
            m_state.SaveStartFolder(), IconViewState::ProposedName(*icon),
            AppErr().MsgLoad(Msg::TargetFileTitle),
            AppErr().MsgLoad(Msg::IconSaveFilter) + QStringLiteral("|PNG-Bild (*.png)|*.png"),
            this);
        if (path.isEmpty())
            return;
        m_state.lastSaveFolder = FolderOf(path, false, true);
        const std::optional<IconSave::Format> format = IconSave::FormatOf(path);
        if (!format) {
            AppErr().MsgShow(Msg::IconSaveFormat, MsgStyle::Exclamation, DisplayFileName(path));
            return;
        }
        IconSave::Save(path, icon->image, *format, ColorFromValue(m_state.backColor, palette()));
    });
}
