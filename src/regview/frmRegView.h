// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QSplitter;
class QTimer;
class QTreeView;
class RegKeyModel;
class RegValueModel;
class RegViewFile;
class WidgetPlacement;
class cuFormPositioner;

// The registry file viewer: the keys of a .reg file (or of Wine's
// system.reg, user.reg, userdef.reg) as a tree on the left, the values of
// the current key on the right. The file is read, and the tree built, on
// this window's thread: both let events through as they go, so progress
// shows, Escape stops them and closing is refused until they are done.
class frmRegView : public QDialog {
    Q_OBJECT
public:
    explicit frmRegView(QWidget* owner = nullptr);
    ~frmRegView() override;

    // Loads `fileName` half a second after the window shows, which it does
    // now, modally with `owner` as owner; returns when the user closes it.
    int Init(const QString& fileName, QWidget* owner);
    // The same without waiting: the window shows and the load follows.
    void Start(const QString& fileName);
    // Reads the remembered file and fills the tree (see Loaded).
    void OpenCNF();
    bool IsLoading() const { return m_loading; }
    // The tree's width for a splitter position (twips), as the window lays it out.
    void SizeControls(int twips);

    QMenuBar* menuBar = nullptr;
    QMenu* mFile = nullptr;
    QAction* mFile_Open = nullptr;
    QSplitter* splitter = nullptr;
    QTreeView* TV = nullptr;
    QTreeView* LV = nullptr;
    QFrame* fraStatus = nullptr;
    QLabel* lblStatus = nullptr;
    QProgressBar* PB = nullptr;
    QTimer* Timer1 = nullptr;

    RegKeyModel* Keys() const { return m_keys; }
    RegValueModel* Values() const { return m_values; }

Q_SIGNALS:
    // A load (OpenCNF) has ended, well or not.
    void Loaded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ShowTree();
    void ShowValues(const QModelIndex& current);
    void SizeColumns();
    void m_Cnf_Status(const QString& text, qint32 percent);
    bool TreeStep(qint32 done, qint32 total);
    void OpenOther();
    void CancelLoading();

    QString m_fileName;
    std::unique_ptr<RegViewFile> m_file;
    RegKeyModel* m_keys = nullptr;
    RegValueModel* m_values = nullptr;
    bool m_loading = false;
    bool m_cancel = false; // of the tree walk
    std::unique_ptr<WidgetPlacement> m_placement;
    std::unique_ptr<cuFormPositioner> m_positioner;
};
