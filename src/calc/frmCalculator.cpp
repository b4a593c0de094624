// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/frmCalculator.h"

#include "core/AppGlobals.h"
#include "core/Twips.h"
#include "core/cuAppError.h"
#include "platform/MessageBoxStyle.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>

namespace {
// The keypad's grid and button size, in twips.
constexpr int kKeyWidth = 535;
constexpr int kKeyHeight = 425;
constexpr int kColumnPitch = 600;
constexpr int kRowPitch = 480;
constexpr int kTapeWidth = 3300;

QFont tapeFont()
{
    // Where Courier New is missing, the system's fixed-width font keeps the columns straight.
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"),
                      QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}
} // namespace

frmCalculator::frmCalculator(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCalculator"));
    setWindowTitle(QStringLiteral("Rechner"));
    BuildMenus();
    BuildKeypad();
    BuildTape();

    auto* top = new QHBoxLayout;
    top->addWidget(fraKeys, 0, Qt::AlignTop);
    top->addWidget(fraLV, 1);
    cmdClose = new QPushButton(QStringLiteral("&Schließen"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &frmCalculator::close);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(top);
    layout->addWidget(cmdClose, 0, Qt::AlignHCenter);

    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    installEventFilter(this);

    // The height is fixed; the width can grow from the width the window starts with.
    resize(sizeHint().width() + TwipsToPx(kTapeWidth, this) - fraLV->sizeHint().width(),
           sizeHint().height());
    setFixedHeight(sizeHint().height());
    setMinimumWidth(width());
    ShowTape();
    LV->setFocus();
}

void frmCalculator::BuildMenus()
{
    menuBar = new QMenuBar(this);
    QMenu* mFile = menuBar->addMenu(QStringLiteral("&Datei"));
    mFile_Quit = mFile->addAction(QStringLiteral("&Beenden"));
    mFile_Quit->setObjectName(QStringLiteral("mFile_Quit"));
    connect(mFile_Quit, &QAction::triggered, this, &frmCalculator::Quit);

    QMenu* mOpt = menuBar->addMenu(QStringLiteral("&Optionen"));
    mOpt_Round = mOpt->addMenu(QStringLiteral("&Runden"));
    const QString captions[] = {QStringLiteral("(&aus)"),     QString(),
                                QStringLiteral("&1 Stelle"),  QStringLiteral("&2 Stellen"),
                                QStringLiteral("&3 Stellen"), QStringLiteral("&4 Stellen"),
                                QStringLiteral("&5 Stellen"), QStringLiteral("&6 Stellen")};
    for (int index = 1; index <= 8; ++index) {
        QAction* item =
            index == 2 ? mOpt_Round->addSeparator() : mOpt_Round->addAction(captions[index - 1]);
        item->setObjectName(QStringLiteral("mOpt_RoundSub%1").arg(index));
        mOpt_RoundSub[index] = item;
        if (index == 2)
            continue;
        // Check marks, set by RoundSub: a radio group would draw bullets instead.
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, index] { RoundSub(index); });
    }
    mOpt_RoundSub[4]->setChecked(true);

    kLV = new QMenu(this);
    QMenu* kLV_Copy = kLV->addMenu(QStringLiteral("&Kopieren"));
    kLV_CopyEntry = kLV_Copy->addAction(QStringLiteral("&Aktuellen Eintrag"));
    kLV_CopySum = kLV_Copy->addAction(QStringLiteral("&Summe"));
    kLV_Copy->addSeparator();
    kLV_CopyList = kLV_Copy->addAction(QStringLiteral("&Gesamte Liste"));
    kLV_Paste = kLV->addAction(QStringLiteral("&Einfügen"));
    const auto copyCommand = [this](QAction* action, const QString& name, auto text) {
        connect(action, &QAction::triggered, this, [this, name, text] {
            try {
                CopyToClipboard(text());
                ShowTape();
            } catch (...) {
                AppErr().ErrMsg(name);
            }
        });
    };
    copyCommand(kLV_CopyEntry, QStringLiteral("CopyEntry"), [this] { return m_tape.CopyEntry(); });
    copyCommand(kLV_CopySum, QStringLiteral("CopySum"), [this] { return m_tape.CopySum(); });
    copyCommand(kLV_CopyList, QStringLiteral("CopyList"), [this] { return m_tape.CopyList(); });
    connect(kLV_Paste, &QAction::triggered, this, [this] {
        RunKey([this] { return m_tape.Paste(QGuiApplication::clipboard()->text()); }, false);
    });
}

QPushButton* frmCalculator::AddKey(int row, int column, const QString& caption, const TapeKey& key,
                                   bool takesFocus)
{
    auto* button = new QPushButton(caption, fraKeys);
    // Keys never take the focus, so typed keys and Enter keep reaching the tape.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    const int textWidth = button->fontMetrics().horizontalAdvance(caption) + 8;
    button->setFixedSize(qMax(TwipsToPx(kKeyWidth, this), textWidth), TwipsToPx(kKeyHeight, this));
    static_cast<QGridLayout*>(fraKeys->layout())->addWidget(button, row, column);
    connect(button, &QPushButton::clicked, this,
            [this, key, takesFocus] { RunKey(key, takesFocus); });
    return button;
}

void frmCalculator::BuildKeypad()
{
    fraKeys = new QFrame(this);
    fraKeys->setObjectName(QStringLiteral("fraKeys"));
    auto* grid = new QGridLayout(fraKeys);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(TwipsToPx(kColumnPitch - kKeyWidth, this));
    grid->setVerticalSpacing(TwipsToPx(kRowPitch - kKeyHeight, this));
    const int digitAt[10][2] = {{3, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 0},
                                {1, 1}, {1, 2}, {0, 0}, {0, 1}, {0, 2}};
    for (int d = 0; d <= 9; ++d) {
        cmdNum[d] = AddKey(
            digitAt[d][0], digitAt[d][1], QString::number(d), [this, d] { return Digit(d); }, true);
        cmdNum[d]->setObjectName(QStringLiteral("cmdNum%1").arg(d));
    }
    for (int op = 1; op <= 4; ++op) {
        cmdOP[op] = AddKey(
            4 - op, 3, pCalcTape::OperatorSymbol(op), [this, op] { return m_tape.KeyOperator(op); },
            true);
        cmdOP[op]->setObjectName(QStringLiteral("cmdOP%1").arg(op));
    }
    cmdC = AddKey(
        0, 4, QStringLiteral("C"),
        [this] {
            m_tape.KeyClear();
            return TapeOutcome();
        },
        false);
    cmdC->setToolTip(QStringLiteral("Zurücksetzen"));
    cmdBS = AddKey(
        1, 4, QStringLiteral("<-"), [this] { return m_tape.KeyBackspace(); }, false);
    cmdBS->setToolTip(QStringLiteral("Rückschritt"));
    cmdPercent = AddKey(
        2, 4, QStringLiteral("%"), [this] { return m_tape.KeyPercent(); }, true);
    cmdPlusMinus = AddKey(
        3, 1, QStringLiteral("+/-"), [this] { return m_tape.KeySign(); }, false);
    cmdPlusMinus->setToolTip(QStringLiteral("Wert umkehren"));
    cmdDot = AddKey(
        3, 2, m_tape.DecimalSeparator(), [this] { return m_tape.KeyDecimal(); }, false);
    cmdEqual = AddKey(
        3, 4, QStringLiteral("="), [this] { return m_tape.KeyEqual(); }, true);
    cmdC->setObjectName(QStringLiteral("cmdC"));
    cmdBS->setObjectName(QStringLiteral("cmdBS"));
    cmdPercent->setObjectName(QStringLiteral("cmdPercent"));
    cmdPlusMinus->setObjectName(QStringLiteral("cmdPlusMinus"));
    cmdDot->setObjectName(QStringLiteral("cmdDot"));
    cmdEqual->setObjectName(QStringLiteral("cmdEqual"));
    fraKeys->setFixedSize(fraKeys->sizeHint());
}

void frmCalculator::BuildTape()
{
    fraLV = new QFrame(this);
    fraLV->setObjectName(QStringLiteral("fraLV"));
    LV = new QTreeWidget(fraLV);
    LV->setObjectName(QStringLiteral("LV"));
    LV->setColumnCount(2);
    LV->setHeaderLabels({QStringLiteral("Op"), QStringLiteral("Wert")});
    LV->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    LV->setRootIsDecorated(false);
    LV->setUniformRowHeights(true);
    LV->setSelectionMode(QAbstractItemView::SingleSelection);
    LV->setFont(tapeFont());
    LV->header()->setStretchLastSection(true);
    LV->header()->setSectionsMovable(false);
    LV->setColumnWidth(0, LV->fontMetrics().horizontalAdvance(QStringLiteral("Op")) + 24);
    LV->setContextMenuPolicy(Qt::CustomContextMenu);
    LV->setMinimumHeight(fraKeys->height());
    connect(LV, &QTreeWidget::itemSelectionChanged, this, &frmCalculator::OnSelectionChanged);
    connect(LV, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PrepareContextMenu();
        kLV->popup(LV->viewport()->mapToGlobal(at));
    });
    auto* layout = new QVBoxLayout(fraLV);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(LV);
}

void frmCalculator::RunKey(const TapeKey& key, bool takesFocus)
{
    const TapeOutcome outcome = key();
    ShowTape();
    Tell(outcome);
    if (takesFocus)
        LV->setFocus();
}

TapeOutcome frmCalculator::Digit(int digit)
{
    TapeOutcome outcome = m_tape.KeyDigit(digit);
    if (outcome.kind != TapeOutcome::RestartQuestion)
        return outcome;
    const int answer = AppErr().MsgShowText(
        QStringLiteral("Sie haben keinen Operator angegeben.\r\nBerechnung neu starten?"),
        MsgStyle::YesNo | MsgStyle::Question);
    return answer == MsgResult::Yes ? m_tape.RestartWith(digit) : TapeOutcome();
}

void frmCalculator::Tell(const TapeOutcome& outcome)
{
    if (outcome.kind == TapeOutcome::DivisionByZero)
        AppErr().MsgShowText(QStringLiteral("Division durch Null ist nicht möglich."),
                             MsgStyle::OkOnly | MsgStyle::Exclamation);
    else if (outcome.kind == TapeOutcome::Failed && outcome.error)
        AppErr().ErrMsg(*outcome.error, outcome.module);
}

void frmCalculator::ShowTape()
{
    m_loading = true;
    const QList<TapeLine>& lines = m_tape.Lines();
    while (LV->topLevelItemCount() > lines.size())
        delete LV->takeTopLevelItem(LV->topLevelItemCount() - 1);
    while (LV->topLevelItemCount() < lines.size()) {
        auto* item = new QTreeWidgetItem(LV);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int i = 0; i < lines.size(); ++i) {
        QTreeWidgetItem* item = LV->topLevelItem(i);
        if (item->text(0) != lines[i].Op)
            item->setText(0, lines[i].Op);
        if (item->text(1) != lines[i].Value)
            item->setText(1, lines[i].Value);
        if (item->font(0).bold() != lines[i].Bold) {
            QFont font = LV->font();
            font.setBold(lines[i].Bold);
            item->setFont(0, font);
            item->setFont(1, font);
        }
    }
    const int selected = m_tape.SelectedLine();
    if (selected >= 1) {
        QTreeWidgetItem* item = LV->topLevelItem(selected - 1);
        LV->setCurrentItem(item);
        LV->scrollToItem(item);
    } else {
        LV->clearSelection();
    }
    m_loading = false;
}

void frmCalculator::OnSelectionChanged()
{
    if (m_loading)
        return;
    const QList<QTreeWidgetItem*> selected = LV->selectedItems();
    m_tape.SetSelectedLine(selected.isEmpty() ? 0 : LV->indexOfTopLevelItem(selected.first()) + 1);
}

bool frmCalculator::eventFilter(QObject* watched, QEvent* event)
{
    // Open menus keep their own keys.
    const bool menu = qobject_cast<QMenu*>(watched) || qobject_cast<QMenuBar*>(watched);
    if (event->type() == QEvent::KeyPress && !menu) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Enter is "=", except on the close button, which Enter presses.
            if (watched == cmdClose)
                return false;
            RunKey([this] { return m_tape.KeyEqual(); }, true);
            return true;
        }
        if (key->key() == Qt::Key_Escape)
            return true;
        if (HandleTypedKey(key))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool frmCalculator::HandleTypedKey(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.size() != 1)
        return false;
    const QChar ch = text.at(0);
    const QString decimal = m_tape.DecimalSeparator();
    // The number block's separator key means the decimal point whatever it types.
    const bool keypadSeparator = (event->modifiers() & Qt::KeypadModifier) &&
                                 (ch == QLatin1Char('.') || ch == QLatin1Char(','));
    if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
        const int digit = ch.unicode() - '0';
        RunKey([this, digit] { return Digit(digit); }, true);
    } else if (const int op = pCalcTape::OperatorIndex(text); op != 0) {
        RunKey([this, op] { return m_tape.KeyOperator(op); }, true);
    } else if ((!decimal.isEmpty() && ch == decimal.at(0)) || keypadSeparator) {
        RunKey([this] { return m_tape.KeyDecimal(); }, false);
    } else if (ch == QLatin1Char('%')) {
        RunKey([this] { return m_tape.KeyPercent(); }, true);
    } else {
        return false;
    }
    return true;
}

void frmCalculator::CopyToClipboard(const std::optional<QString>& text)
{
    if (!text)
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(*text);
}

void frmCalculator::PrepareContextMenu()
{
    kLV_Paste->setEnabled(m_tape.ClipboardHasNumber(QGuiApplication::clipboard()->text()));
    bool entry = false;
    try {
        entry = m_tape.SelectedLineValue().has_value();
    } catch (...) {
        // A line that is no number has nothing worth copying.
    }
    kLV_CopyEntry->setEnabled(entry);
    kLV_CopySum->setEnabled(m_tape.LastLineIsResult());
    kLV_CopyList->setEnabled(true);
}

void frmCalculator::RoundSub(int index)
{
    try {
        for (int i = 1; i <= 8; ++i)
            mOpt_RoundSub[i]->setChecked(i == index);
        m_tape.SetRoundingPlaces(index == 1 ? -1 : index - 2);
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("RoundSub"));
    }
}

bool frmCalculator::ReturnVals(QString& tapeText, double& result)
{
    if (optCancel)
        return false;
    tapeText = m_tape.TapeText();
    TapeOutcome outcome;
    const std::optional<double> total = m_tape.ComputeTotal(&outcome);
    Tell(outcome);
    if (total)
        result = *total;
    return total.has_value();
}

void frmCalculator::Quit()
{
    // Alone, a hidden window would leave a run nobody can end: there "&Beenden"
    // closes the window and with it the program.
    if (RunsAlone()) {
        close();
        return;
    }
    optCancel = true;
    hide();
}

void frmCalculator::reject()
{
    close();
}

void frmCalculator::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (RunsAlone())
        Q_EMIT shutdownRequested();
}
