// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/frmSlideshow.h"

#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/ColorValue.h"
#include "core/MessageTable.h"
#include "core/Twips.h"
#include "core/WidgetPlacement.h"
#include "core/cuAppError.h"
#include "core/cuFormPositioner.h"
#include "pictures/SlideDecoder.h"
#include "pictures/SlideFit.h"
#include "pictures/SlidePicture.h"
#include "pictures/SlideStatusStrip.h"
#include "pictures/pPicViewer.h"
#include "platform/FileNameCodec.h"
#include "platform/MessageBoxService.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int kMinimumTwips = 1000;
constexpr int kStartWidthTwips = 12000;
constexpr int kStartHeightTwips = 9000;

// The hourglass for as long as the window is being set up, whatever happens.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
} // namespace

frmSlideshow::frmSlideshow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("frmSlideshow"));
    setWindowTitle(AppErr().MsgLoad(Msg::SlideshowLabel));
    Image1 = new SlidePicture(this);
    picStatus = new SlideStatusStrip(this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    m_decoder = new SlideDecoder(this);
    BuildPopup();

    connect(Timer1, &QTimer::timeout, this, &frmSlideshow::Timer1_Timer);
    connect(m_decoder, &SlideDecoder::Decoded, this, &frmSlideshow::Decoded);
    connect(Image1, &SlidePicture::Painted, this,
            [this] { Q_EMIT picturePainted(m_cursor.SlideshowMode() ? m_cursor.Shown() : 0); });
    connect(Image1, &SlidePicture::Clicked, this, [this](Qt::MouseButton button, const QPoint& at) {
        if (!m_cursor.SlideshowMode())
            return;
        if (button == Qt::RightButton)
            kSlide->popup(at);
        else
            Navigate("Image1_MouseUp", &SlideshowCursor::Next);
    });
    const SlideStatusStrip* strip = picStatus;
    connect(strip->cmdFirst, &QToolButton::clicked, this,
            [this] { Navigate("cmdFirst_Click", &SlideshowCursor::First); });
    connect(strip->cmdPrevious, &QToolButton::clicked, this,
            [this] { Navigate("cmdPrevious_Click", &SlideshowCursor::Previous); });
    connect(strip->cmdNext, &QToolButton::clicked, this,
            [this] { Navigate("cmdNext_Click", &SlideshowCursor::Next); });
    connect(strip->cmdLast, &QToolButton::clicked, this,
            [this] { Navigate("cmdLast_Click", &SlideshowCursor::Last); });
    connect(strip->cmdPlay, &QToolButton::clicked, this, &frmSlideshow::Play);
    connect(strip->cmdStop, &QToolButton::clicked, this, &frmSlideshow::Stop);
    connect(strip->cmbInterval, &QComboBox::currentIndexChanged, this,
            &frmSlideshow::cmbInterval_Click);
    strip->cmbInterval->installEventFilter(this);
    Form_Load();
}

frmSlideshow::~frmSlideshow() = default;

void frmSlideshow::BuildPopup()
{
    kSlide = new QMenu(QStringLiteral("KontextSlide"), this);
    kSlide->setObjectName(QStringLiteral("kSlide"));
    const SlideStatusStrip* strip = picStatus;
    const struct {
        const char* name;
        const char* caption;
        QToolButton* button;
    } entries[] = {
        {"kSlideFirst", "&Erstes Bild", strip->cmdFirst},
        {"kSlidePrevious", "&Voriges Bild", strip->cmdPrevious},
        {"kSlideNext", "&Nächstes Bild", strip->cmdNext},
        {"kSlideLast", "&Letztes Bild", strip->cmdLast},
        {"kSlidePlay", "&Play", strip->cmdPlay},
        {"kSlideStop", "&Stopp", strip->cmdStop},
    };
    for (const auto& entry : entries) {
        if (entry.button == strip->cmdPlay)
            kSlide->addSeparator();
        QAction* action = kSlide->addAction(QString::fromUtf8(entry.caption));
        action->setObjectName(QLatin1String(entry.name));
        connect(action, &QAction::triggered, entry.button, &QToolButton::click);
        m_popupEntries.append(action);
    }
}

void frmSlideshow::Form_Load()
{
    resize(TwipsToPx(kStartWidthTwips, this), TwipsToPx(kStartHeightTwips, this));
    Run("Form_Load", [this] {
        m_placement = std::make_unique<WidgetPlacement>(this);
        m_positioner = std::make_unique<cuFormPositioner>();
        m_positioner->AutoSave = false;
        m_positioner->SetForm(m_placement.get());
        m_positioner->RegKey = AppKeyPath(akPicViewerWindow);
        m_positioner->SetMinWidth(kMinimumTwips);
        m_positioner->SetMinHeight(kMinimumTwips);
        m_positioner->LoadPosition();
    });
    LayoutStrip();
}

void frmSlideshow::Run(const char* procedure, const std::function<void()>& action)
{
    try {
        action();
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("frmSlideshow"), QLatin1String(procedure));
    }
}

bool frmSlideshow::pubInitForm(const QString& startFile, const QStringList* files,
                               pPicViewer& viewer)
{
    const BusyCursor busy;
    try {
        m_viewer = &viewer;
        Image1->SetBackColor(ColorFromValue(quint32(viewer.BackColor()), palette()));
        if (startFile.isEmpty()) {
            // An empty list is as good as none: there would be nothing to show.
            if (!files || files->isEmpty()) {
                AppErr().MsgShow(Msg::SlideshowNoFiles, MsgStyle::Critical);
                return false;
            }
            m_cursor.StartShow(*files, viewer.SlideShowInterval());
            if (m_cursor.Interval() != viewer.SlideShowInterval())
                viewer.SetSlideShowInterval(m_cursor.Interval());
            m_decoder->SetFiles(m_cursor.Files());
            LayoutStrip();
        } else {
            m_cursor.ShowPicture(startFile);
            m_decoder->SetFiles({startFile});
            LayoutStrip();
            // Decoded here, so that a picture that cannot be shown is told
            // to the caller and no window opens.
            const QSize inner = size();
            const double ratio = devicePixelRatioF();
            const LoadedPicture picture =
                PictureLoader::Load(startFile, [inner, ratio](const QSize& natural) {
                    return SlideDecodeSize(natural, SlideFit(inner, 0, natural).size(), ratio);
                });
            m_decoder->Adopt(0, picture);
            Display(0, picture);
        }
        SyncTimer();
        UpdateControls();
        return true;
    } catch (...) {
        AppErr().ErrRaise(0, QStringLiteral("frmSlideshow"), QStringLiteral("pubInitForm"));
    }
    return false;
}

void frmSlideshow::AdoptViewer(std::unique_ptr<pPicViewer> viewer)
{
    m_ownViewer = std::move(viewer);
    if (m_ownViewer)
        m_viewer = m_ownViewer.get();
}

bool frmSlideshow::PictureReady(qint32 index) const
{
    return m_decoder->Ready(index) != nullptr;
}

bool frmSlideshow::Minimised() const
{
    return isMinimized();
}

void frmSlideshow::Navigate(const char* procedure, Move move)
{
    Run(procedure, [this, move] {
        const SlideshowCursor::Step step = (m_cursor.*move)(Minimised());
        SyncTimer();
        Request(step);
        UpdateControls();
    });
}

void frmSlideshow::Timer1_Timer()
{
    // A picture not ready yet stays owed: no picture is skipped.
    if (m_pending >= 0)
        return;
    Run("Timer1_Timer", [this] {
        const SlideshowCursor::Step step = m_cursor.Tick(Minimised());
        SyncTimer();
        Request(step);
        UpdateControls();
    });
}

void frmSlideshow::Play()
{
    Run("cmdPlay_Click", [this] {
        m_cursor.Play();
        SyncTimer();
        UpdateControls();
    });
}

void frmSlideshow::Stop()
{
    Run("cmdStop_Click", [this] {
        m_cursor.Stop();
        SyncTimer();
        UpdateControls();
    });
}

void frmSlideshow::cmbInterval_Click(int entry)
{
    Run("cmbInterval_Click", [this, entry] {
        if (!m_cursor.ChooseInterval(entry))
            return;
        if (m_viewer)
            m_viewer->SetSlideShowInterval(m_cursor.Interval());
        SyncTimer();
        UpdateControls();
    });
}

void frmSlideshow::SyncTimer()
{
    if (!m_cursor.Playing()) {
        Timer1->stop();
    } else if (m_cursor.TimerStarts() != m_timerStarts || !Timer1->isActive()) {
        m_timerStarts = m_cursor.TimerStarts();
        Timer1->start(m_cursor.TimerInterval());
    } else if (Timer1->interval() != m_cursor.TimerInterval()) {
        Timer1->setInterval(m_cursor.TimerInterval());
    }
}

void frmSlideshow::Request(const SlideshowCursor::Step& step)
{
    if (step.show < 0)
        return;
    m_endsAt = step.ended ? step.show : -1;
    m_pending = step.show;
    if (const LoadedPicture* ready = m_decoder->Ready(step.show)) {
        m_late = false;
        Display(step.show, *ready);
    } else {
        // Until it is on screen only the picture asked for is wanted.
        m_late = true;
        m_decoder->Want({step.show});
    }
}

void frmSlideshow::Decoded(qint32 index)
{
    const LoadedPicture* picture = m_decoder->Ready(index);
    if (m_closed || !picture)
        return;
    if (index == m_pending) {
        Display(index, *picture);
    } else if (m_pending < 0 && index == (m_cursor.SlideshowMode() ? m_cursor.Shown() : 0)) {
        // Decoded anew for a new window size.
        if (!picture->isNull())
            Image1->SetPicture(picture->image, picture->naturalSize);
    }
}

void frmSlideshow::Display(qint32 index, const LoadedPicture& picture)
{
    if (picture.isNull())
        Image1->SetNote(
            AppErr().MsgLoad(Msg::PictureNotShown, DisplayFileName(picture.path), picture.failure));
    else
        Image1->SetPicture(picture.image, picture.naturalSize);
    m_pending = -1;
    m_cursor.SetShown(index);
    UpdateControls();
    if (!m_cursor.SlideshowMode())
        return;
    m_decoder->Want({index, index + 1, index - 1});
    // A picture that came late still gets its whole interval on screen.
    if (std::exchange(m_late, false) && Timer1->isActive() &&
        Timer1->interval() != SlideshowCursor::kFirstSlideMs)
        Timer1->start();
    if (m_endsAt == index) {
        m_endsAt = -1;
        AppErr().MsgShow(Msg::SlideshowEnded, MsgStyle::Information);
    }
}

void frmSlideshow::UpdateControls()
{
    const SlideStatusStrip* strip = picStatus;
    const bool states[] = {m_cursor.CanFirst(), m_cursor.CanPrevious(), m_cursor.CanNext(),
                           m_cursor.CanLast(),  m_cursor.CanPlay(),     m_cursor.CanStop()};
    QToolButton* buttons[] = {strip->cmdFirst, strip->cmdPrevious, strip->cmdNext,
                              strip->cmdLast,  strip->cmdPlay,     strip->cmdStop};
    for (int i = 0; i < 6; ++i) {
        buttons[i]->setEnabled(states[i]);
        m_popupEntries[i]->setEnabled(states[i]);
    }
    {
        const QSignalBlocker block(strip->cmbInterval);
        strip->cmbInterval->setCurrentIndex(m_cursor.IntervalEntry());
    }
    strip->txtAnzeige->setText(m_cursor.StatusText());
    setWindowTitle(m_cursor.Caption());
}

int frmSlideshow::StripHeight() const
{
    return m_cursor.SlideshowMode() ? picStatus->sizeHint().height() : 0;
}

void frmSlideshow::LayoutStrip()
{
    const bool slideshow = m_cursor.SlideshowMode();
    const int strip = StripHeight();
    picStatus->setVisible(slideshow);
    picStatus->setGeometry(0, height() - strip, width(), strip);
    Image1->setGeometry(0, 0, width(), std::max(0, height() - strip));
    // The window's least size, unless the control strip needs more room.
    const int least = TwipsToPx(kMinimumTwips, this);
    setMinimumSize(slideshow ? std::max(least, picStatus->minimumSizeHint().width()) : least,
                   least + strip);
    m_decoder->SetGeometry(size(), strip, devicePixelRatioF());
}

void frmSlideshow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutStrip();
}

bool frmSlideshow::HandleKey(int key)
{
    if (key == Qt::Key_F11) {
        setWindowState(windowState() ^ Qt::WindowFullScreen);
        return true;
    }
    if (key == Qt::Key_Escape && isFullScreen()) {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        return true;
    }
    if (!m_cursor.SlideshowMode())
        return false;
    const SlideStatusStrip* strip = picStatus;
    switch (key) {
    case Qt::Key_End:
        if (strip->cmdLast->isEnabled())
            Navigate("Form_KeyDown", &SlideshowCursor::Last);
        return true;
    case Qt::Key_Home:
        if (strip->cmdFirst->isEnabled())
            Navigate("Form_KeyDown", &SlideshowCursor::First);
        return true;
    case Qt::Key_Left:
        if (strip->cmdPrevious->isEnabled())
            Navigate("Form_KeyDown", &SlideshowCursor::Previous);
        return true;
    case Qt::Key_Right:
        if (strip->cmdNext->isEnabled())
            Navigate("Form_KeyDown", &SlideshowCursor::Next);
        return true;
    default:
        return false;
    }
}

void frmSlideshow::keyPressEvent(QKeyEvent* event)
{
    if (HandleKey(event->key()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool frmSlideshow::eventFilter(QObject* watched, QEvent* event)
{
    // The interval list keeps Up and Down; the show's keys are the show's.
    if (watched == picStatus->cmbInterval && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Up && key != Qt::Key_Down && HandleKey(key))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmSlideshow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_closed)
        return;
    m_closed = true;
    Timer1->stop();
    m_decoder->Want({});
    // Full screen is no position to come back to.
    if (!isFullScreen())
        Run("Form_Unload", [this] { m_positioner->SavePosition(); });
    Run("Form_Unload", [this] {
        m_viewer = nullptr;
        m_ownViewer.reset();
    });
    if (RunsAlone())
        Q_EMIT shutdownRequested();
}
