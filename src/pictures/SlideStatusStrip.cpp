// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/SlideStatusStrip.h"

#include "core/Twips.h"
#include "pictures/SlideshowCursor.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace {
constexpr int kGapTwips = 200; // between the status text and the control strip
} // namespace

SlideStatusStrip::SlideStatusStrip(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("picStatus"));
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    txtAnzeige = new QLineEdit(this);
    txtAnzeige->setObjectName(QStringLiteral("txtAnzeige"));
    txtAnzeige->setReadOnly(true);
    txtAnzeige->setFocusPolicy(Qt::NoFocus);
    txtAnzeige->setMinimumWidth(txtAnzeige->fontMetrics().horizontalAdvance(
                                    QStringLiteral("999 von 999 - Stopped - 20 Sek.")) +
                                TwipsToPx(150, this));

    picPlay = new QWidget(this);
    picPlay->setObjectName(QStringLiteral("picPlay"));
    auto* controls = new QHBoxLayout(picPlay);
    controls->setContentsMargins(0, 0, 0, 0);
    controls->setSpacing(0);
    cmdFirst = AddButton("cmdFirst", "erstes Bild", "go-first", QStyle::SP_MediaSkipBackward);
    cmdPrevious =
        AddButton("cmdPrevious", "voriges Bild", "go-previous", QStyle::SP_MediaSeekBackward);
    cmdNext = AddButton("cmdNext", "nächstes Bild", "go-next", QStyle::SP_MediaSeekForward);
    cmdLast = AddButton("cmdLast", "letztes Bild", "go-last", QStyle::SP_MediaSkipForward);
    cmdPlay =
        AddButton("cmdPlay", "Slideshow starten", "media-playback-start", QStyle::SP_MediaPlay);
    cmdStop =
        AddButton("cmdStop", "Slideshow stoppen", "media-playback-stop", QStyle::SP_MediaStop);
    cmbInterval = new QComboBox(picPlay);
    cmbInterval->setObjectName(QStringLiteral("cmbInterval"));
    cmbInterval->setToolTip(QStringLiteral("Intervallzeit in Sekunden"));
    for (int seconds = 1; seconds <= SlideshowCursor::kIntervalEntries; ++seconds)
        cmbInterval->addItem(QString::number(seconds));
    // The arrow keys belong to the show, not to the list.
    cmbInterval->setFocusPolicy(Qt::ClickFocus);
    controls->addSpacing(TwipsToPx(60, this));
    controls->addWidget(cmbInterval);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(TwipsToPx(60, this), TwipsToPx(30, this), TwipsToPx(60, this),
                            TwipsToPx(30, this));
    row->setSpacing(TwipsToPx(kGapTwips, this));
    row->addWidget(txtAnzeige, 1);
    row->addWidget(picPlay, 0, Qt::AlignRight);
}

QToolButton* SlideStatusStrip::AddButton(const char* name, const char* tip, const char* theme,
                                         int fallback)
{
    auto* button = new QToolButton(picPlay);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(QString::fromUtf8(tip));
    button->setIcon(QIcon::fromTheme(QLatin1String(theme),
                                     style()->standardIcon(QStyle::StandardPixmap(fallback))));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    picPlay->layout()->addWidget(button);
    return button;
}
