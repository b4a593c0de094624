// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "icons/IconViewState.h"

#include <QWidget>

#include <array>
#include <memory>

class JobProgressBar;
class JobRunner;
class QGroupBox;
class QListWidget;
class QMenu;
class QRadioButton;
class WidgetPlacement;
class cuFormPositioner;

// The icons of one folder: its icon files, or the icons inside one of its
// programs and libraries, at 16 or 32 pixels; a shown icon can be saved as a
// bitmap, an icon file or a PNG picture. Every listing runs as a job: the
// window stays responsive, Escape stops it (what was read stays), and a new
// listing or closing the window first ends the running one.
class frmIconView : public QWidget {
    Q_OBJECT
public:
    explicit frmIconView(QWidget* owner = nullptr);
    ~frmIconView() override;

    // Shows the window on the folder; false (after message 143, nothing
    // shown) when it holds neither icon files nor programs.
    bool pubInitForm(const QString& folder, bool preferIconFiles, bool largeIcons);

    const IconViewState& State() const { return m_state; }
    bool IsListing() const;

    std::array<QRadioButton*, 2> opt{};
    std::array<QRadioButton*, 2> optSize{};
    QGroupBox* picSettings1 = nullptr;
    QGroupBox* picSettings2 = nullptr;
    QListWidget* lstFiles = nullptr;
    QListWidget* LV = nullptr;
    JobProgressBar* PB = nullptr;
    QMenu* kLV = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void opt_Click(int index);
    void optSize_Click(int index);
    void lstFiles_Click();
    void LV_MouseUp(const QPoint& at);
    void kLV_SaveAs_Click();
    // Ends a running listing and empties the list view.
    void ClearIcons();
    void ListIconFiles();
    void ListExecutables();
    void ListExecutableIcons();
    void AddItems(const QList<IconItem>& items);
    void Guarded(const char* procedure, const std::function<void()>& handler);

    IconViewState m_state;
    JobRunner* m_runner = nullptr;
    quint64 m_listing = 0; // which listing the delivered items belong to
    std::unique_ptr<WidgetPlacement> m_placement;
    std::unique_ptr<cuFormPositioner> m_Positioner;
};
