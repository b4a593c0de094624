// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/pCalcTape.h"

#include <QDialog>

#include <functional>

class QAction;
class QFrame;
class QMenu;
class QMenuBar;
class QPushButton;
class QTreeWidget;

// The tape calculator "Rechner": a keypad beside the tape. The tape and every
// key's logic live in pCalcTape; this window forwards clicks, typed keys,
// menu and clipboard commands to it and shows the tape after each of them.
class frmCalculator : public QDialog {
    Q_OBJECT
public:
    explicit frmCalculator(QWidget* parent = nullptr);

    // The tape as text and its total, unless the window was left with "&Beenden".
    // True when a total was computed.
    bool ReturnVals(QString& tapeText, double& result);
    const pCalcTape& Tape() const { return m_tape; }

    // Sets the enabled states of the tape's context menu (before it opens).
    void PrepareContextMenu();

    QFrame* fraKeys = nullptr;
    QPushButton* cmdNum[10] = {};
    QPushButton* cmdOP[5] = {}; // 1 "+", 2 "-", 3 "*", 4 "/"; 0 unused
    QPushButton* cmdC = nullptr;
    QPushButton* cmdBS = nullptr;
    QPushButton* cmdPercent = nullptr;
    QPushButton* cmdPlusMinus = nullptr;
    QPushButton* cmdDot = nullptr;
    QPushButton* cmdEqual = nullptr;
    QPushButton* cmdClose = nullptr;
    QFrame* fraLV = nullptr;
    QTreeWidget* LV = nullptr;

    QMenuBar* menuBar = nullptr;
    QAction* mFile_Quit = nullptr;
    QMenu* mOpt_Round = nullptr;
    QAction* mOpt_RoundSub[9] = {}; // 1 "(&aus)", 2 separator, 3..8 one to six places
    QMenu* kLV = nullptr;
    QAction* kLV_CopyEntry = nullptr;
    QAction* kLV_CopySum = nullptr;
    QAction* kLV_CopyList = nullptr;
    QAction* kLV_Paste = nullptr;

Q_SIGNALS:
    // The window unloads while it runs alone: the run ends with it.
    void shutdownRequested();

public Q_SLOTS:
    void reject() override; // Escape and the window's close button take the close path

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildKeypad();
    void BuildTape();
    void BuildMenus();
    using TapeKey = std::function<TapeOutcome()>;
    QPushButton* AddKey(int row, int column, const QString& caption, const TapeKey& key,
                        bool takesFocus);
    // Runs a key of the tape, shows the tape, then what the key had to tell.
    void RunKey(const TapeKey& key, bool takesFocus);
    // A digit after a result asks before the tape starts over.
    TapeOutcome Digit(int digit);
    void Tell(const TapeOutcome& outcome);
    bool HandleTypedKey(QKeyEvent* event);
    void ShowTape();
    void OnSelectionChanged();
    void CopyToClipboard(const std::optional<QString>& text);
    void Quit();
    void RoundSub(int index);

    pCalcTape m_tape;
    bool optCancel = false; // left with "&Beenden"
    bool m_loading =
        false; // the view follows the tape; its own selection changes are not the user's
};
