// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/frmFileInfo.h"

#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/WindowUtil.h"
#include "core/cuAppError.h"
#include "fileinfo/FileIcon.h"
#include "fileinfo/FileInfo.h"
#include "fileinfo/InfoForm.h"
#include "fileinfo/OfficeDocProperties.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
struct VersionItem {
    const char* caption;
    QString (FileVersionInfo::*value)() const;
};

const VersionItem kVersionItems[] = {
    {"Firmenname", &FileVersionInfo::CompanyName},
    {"Beschreibung", &FileVersionInfo::FileDescription},
    {"Interner Name", &FileVersionInfo::InternalName},
    {"Sprache", &FileVersionInfo::Language},
    {"Copyright", &FileVersionInfo::LegalCopyright},
    {"Marken", &FileVersionInfo::LegalTrademarks},
    {"Original Dateiname", &FileVersionInfo::OriginalFilename},
    {"Produktname", &FileVersionInfo::ProductName},
    {"Produktversion", &FileVersionInfo::ProductVersion},
    {"Kommentare", &FileVersionInfo::Comments},
};
} // namespace

frmFileInfo::frmFileInfo(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmFileInfo"));
    setWindowTitle(QStringLiteral("FileInfo"));
    tabInfo = new QTabWidget(this);
    tabInfo->setObjectName(QStringLiteral("tabInfo"));
    tabInfo->addTab(buildGeneralPage(), QStringLiteral("&Allgemein"));
    tabInfo->addTab(buildVersionPage(), QStringLiteral("&Version"));
    tabInfo->addTab(buildOfficePage(), QStringLiteral("Office"));
    connect(tabInfo, &QTabWidget::currentChanged, this, &frmFileInfo::pageChosen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabInfo);
    // Before any control: the window closes on Escape wherever the focus is.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QDialog::reject);
    setMinimumWidth(440);
}

QWidget* frmFileInfo::buildGeneralPage()
{
    auto* page = new QWidget;
    picIcon = new QLabel(page);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setFixedSize(32, 32);
    txtFilename = new QLineEdit(page);
    txtFilename->setObjectName(QStringLiteral("txtFilename"));
    txtFilename->setReadOnly(true);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addWidget(txtFilename, 1);

    m_generalRows = new QFormLayout;
    m_generalRows->addRow(InfoForm::Separator(page));
    txtType = InfoForm::AddField(m_generalRows, "txtType", "Dateityp:");
    txtLocation = InfoForm::AddField(m_generalRows, "txtLocation", "Ort:");
    txtSize = InfoForm::AddField(m_generalRows, "txtSize", "Größe:");
    txtDosName = InfoForm::AddField(m_generalRows, "txtDosName", "MS-DOS Name:");
    txtDosPath = InfoForm::AddField(m_generalRows, "txtDosPath", "MS-DOS Pfad:");
    m_generalRows->addRow(InfoForm::Separator(page));
    txtCreated = InfoForm::AddField(m_generalRows, "txtCreated", "Erstellt:");
    txtModified = InfoForm::AddField(m_generalRows, "txtModified", "Geändert am:");
    txtAccessed = InfoForm::AddField(m_generalRows, "txtAccessed", "Letzter Zugriff:");
    m_generalRows->addRow(InfoForm::Separator(page));

    const char* const captions[] = {"&Read-only", "Ar&chive", "Co&mpressed",
                                    "Hi&dden",    "&System",  "&Temporary"};
    auto* boxes = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        chkAttr[i] = InfoForm::ShownOnlyBox(page, QString::fromUtf8(captions[i]), i);
        boxes->addWidget(chkAttr[i], i % 3, i / 3);
    }
    m_generalRows->addRow(QStringLiteral("Attribute:"), boxes);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addLayout(m_generalRows);
    layout->addStretch();
    return page;
}

QWidget* frmFileInfo::buildVersionPage()
{
    auto* page = new QWidget;
    auto* rows = new QFormLayout;
    txtFileVer = InfoForm::AddField(rows, "txtFileVer", "Dateiversion:");
    txtDescription = InfoForm::AddField(rows, "txtDescription", "Beschreibung:");
    txtCopyright = InfoForm::AddField(rows, "txtCopyright", "Copyright:");

    auto* frame = new QGroupBox(QStringLiteral("Weitere Versionsinformationen"), page);
    frame->setObjectName(QStringLiteral("fraVerInfo"));
    lstVerInfo = new QListWidget(frame);
    lstVerInfo->setObjectName(QStringLiteral("lstVerInfo"));
    for (const VersionItem& item : kVersionItems)
        lstVerInfo->addItem(QString::fromUtf8(item.caption));
    txtVerInfo = new QLineEdit(frame);
    txtVerInfo->setObjectName(QStringLiteral("txtVerInfo"));
    txtVerInfo->setReadOnly(true);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Objektname:"), frame), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Wert:"), frame), 0, 1);
    grid->addWidget(lstVerInfo, 1, 0);
    grid->addWidget(txtVerInfo, 1, 1, Qt::AlignTop);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    connect(lstVerInfo, &QListWidget::currentRowChanged, this, &frmFileInfo::showVersionValue);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(rows);
    layout->addWidget(frame, 1);
    return page;
}

QWidget* frmFileInfo::buildOfficePage()
{
    auto* page = new QWidget;
    auto* rows = new QFormLayout(page);
    for (int i = 0; i < 11; ++i) {
        lblPrp[i] = new QLabel(page);
        lblPrp[i]->setObjectName(QStringLiteral("lblPrp%1").arg(i));
        txtPrp[i] = new QLineEdit(page);
        txtPrp[i]->setObjectName(QStringLiteral("txtPrp%1").arg(i));
        txtPrp[i]->setReadOnly(true);
        rows->addRow(lblPrp[i], txtPrp[i]);
    }
    return page;
}

bool frmFileInfo::pubInit(OfficeDocProperties* reader, const QString& path)
{
    m_reader = reader;
    m_path = path;
    {
        const QSignalBlocker quiet(tabInfo);
        tabInfo->setCurrentIndex(PageGeneral);
        m_shownPage = PageGeneral;
    }
    FileInfo info;
    info.setFullPathName(path);
    if (!info.FileExists())
        return false;
    fillGeneral(path);
    fillVersion();
    const QString extension = info.Filename().section(QLatin1Char('.'), -1);
    const bool office = info.Filename().contains(QLatin1Char('.')) && m_reader &&
                        OfficeDocProperties::SupportedExtensions().contains(extension.toLower());
    tabInfo->setTabVisible(PageOffice, office);
    InfoForm::ShowStarts(this);
    return true;
}

void frmFileInfo::fillGeneral(const QString& path)
{
    // The path as given: on Linux another letter case names another file.
    FileInfo info;
    info.setFullPathName(path);
    QPixmap icon = FileIconOf(info).pixmap(32, 32);
    if (icon.isNull()) // no icon theme on this desktop
        icon = style()->standardIcon(QStyle::SP_FileIcon).pixmap(32, 32);
    picIcon->setPixmap(icon);
    txtFilename->setText(
        DisplayFileName(info.DisplayName().isEmpty() ? info.Filename() : info.DisplayName()));
    txtType->setText(info.TypeName());
    txtLocation->setText(DisplayFileName(info.FilePath()));
    txtSize->setText(FileInfo::FormatFileSize(info.Size()));
    txtDosName->setText(info.ShortName());
    txtDosPath->setText(info.ShortPath());
    const bool dosNames = !info.ShortName().isEmpty() || !info.ShortPath().isEmpty();
    m_generalRows->setRowVisible(txtDosName, dosNames);
    m_generalRows->setRowVisible(txtDosPath, dosNames);
    txtCreated->setText(FileInfo::FormatFileDate(info.CreationTime()));
    txtModified->setText(FileInfo::FormatFileDate(info.ModifyTime()));
    txtAccessed->setText(FileInfo::FormatFileDate(info.LastAccessTime()));
    const bool set[] = {info.attrReadOnly(), info.attrArchive(), info.attrCompressed(),
                        info.attrHidden(),   info.attrSystem(),  info.attrTemporary()};
    for (int i = 0; i < 6; ++i)
        chkAttr[i]->setChecked(set[i]);
}

void frmFileInfo::fillVersion()
{
    m_version.setFullPathName(m_path);
    tabInfo->setTabVisible(PageVersion, m_version.Available());
    if (!m_version.Available())
        return;
    txtFileVer->setText(m_version.FileVersion());
    txtDescription->setText(m_version.FileDescription());
    txtCopyright->setText(m_version.LegalCopyright());
    lstVerInfo->setCurrentRow(0);
    showVersionValue(0);
}

void frmFileInfo::showVersionValue(int row)
{
    if (row < 0 || row >= int(std::size(kVersionItems)))
        txtVerInfo->clear();
    else
        txtVerInfo->setText((m_version.*kVersionItems[row].value)());
    txtVerInfo->setCursorPosition(0);
}

void frmFileInfo::pageChosen(int index)
{
    if (index == PageOffice && !fillOffice()) {
        // The tab bar cannot refuse a change, so it is taken back.
        const QSignalBlocker quiet(tabInfo);
        tabInfo->setCurrentIndex(m_shownPage);
        AppErr().MsgShow(Msg::NoDocProperties, MsgStyle::Exclamation);
        return;
    }
    m_shownPage = index;
}

bool frmFileInfo::fillOffice()
{
    const WaitCursor wait;
    QStringList values;
    qint32 found = 0;
    m_reader->setFilename(m_path);
    try {
        found = m_reader->GetProperties(values);
    } catch (const AppErrorRecord&) {
        found = 0; // a document that cannot be read has no properties to show
    }
    if (found == 0)
        return false;
    for (int i = 0; i < 11 && i < values.size(); ++i) {
        txtPrp[i]->setText(values[i]);
        lblPrp[i]->setText(m_reader->Translate(i, true) + QLatin1Char(':'));
    }
    InfoForm::ShowStarts(tabInfo->widget(PageOffice));
    return true;
}
