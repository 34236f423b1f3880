#include "app/frmSplash.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "app/AppTitle.h"
#include "app/Artwork.h"
#include "platform/DesktopVersion.h"

namespace {
constexpr int StepSize = 10;
// The steps of the fades from invisible (10, 20, ..., 240, 255) and from opaque (245, ..., 5,
// 0): an opaque splash waits as long as a fading one.
constexpr int FadeInSteps = 25;
constexpr int FadeOutSteps = 26;
}  // namespace

frmSplash::frmSplash(MainWindowFactory makeMainWindow, QWidget *parent)
    : frmSplash(std::move(makeMainWindow), Timing{}, parent)
{
}

frmSplash::frmSplash(MainWindowFactory makeMainWindow, Timing timing, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      makeMainWindow(std::move(makeMainWindow)),
      timing(timing),
      picture(new QLabel(this))
{
    const QSize size(480, 300);
    setFixedSize(size);
    picture->setGeometry(rect());
    picture->setPixmap(QPixmap::fromImage(Artwork::SplashPicture(size)));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // A step never comes early, or the fades would be quicker than their 30 ms a step; each is
    // timed from the one before, however late that one came.
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &frmSplash::Step);

    SetAppTitle(QStringLiteral("Zentrin"));
    setWindowTitle(AppTitle());
    fading = GetWindowsVersion(true).toInt() >= 5;
    if (fading)
        ApplyAlpha(0);  // invisible when first shown
}

QString frmSplash::GetWindowsVersion(bool majorOnly)
{
    const platform::DesktopVersionNumber version = platform::DesktopVersion();
    if (majorOnly)
        return QString::number(version.Major);
    return QString::number(version.Major + version.Minor / 100.0, 'f', 2);
}

bool frmSplash::event(QEvent *event)
{
    // A splash window is rarely given the focus (without a window manager never), so being
    // shown counts as its activation. The sequence shows another window: it starts once the
    // event has been delivered.
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::WindowActivate) && !activated)
        QTimer::singleShot(0, this, &frmSplash::Form_Activate);
    return QWidget::event(event);
}

void frmSplash::Form_Activate()
{
    if (activated)
        return;
    activated = true;
    update();
    SetFormAlpha2();
}

void frmSplash::SetFormAlpha2()
{
    phase = Phase::FadingIn;
    stepsTaken = 0;
    timer.start(timing.StepMs);
}

void frmSplash::SetFormAlpha()
{
    phase = Phase::FadingOut;
    stepsTaken = 0;
    timer.start(timing.StepMs);
}

void frmSplash::Step()
{
    switch (phase) {
        case Phase::FadingIn:
            ++stepsTaken;
            if (fading)
                ApplyAlpha(alpha >= 240 ? 255 : alpha + StepSize);
            if (fading ? alpha == 255 : stepsTaken >= FadeInSteps) {
                phase = Phase::Pausing;
                timer.start(timing.PauseMs);
            } else {
                timer.start(timing.StepMs);
            }
            break;
        case Phase::Pausing:
            HandOver();
            break;
        case Phase::FadingOut:
            ++stepsTaken;
            if (fading)
                ApplyAlpha(alpha <= StepSize ? 0 : alpha - StepSize);
            if (fading ? alpha == 0 : stepsTaken >= FadeOutSteps)
                Finish();
            else
                timer.start(timing.StepMs);
            break;
        case Phase::Idle:
        case Phase::Done:
            break;
    }
}

void frmSplash::HandOver()
{
    mainWindow = makeMainWindow ? makeMainWindow() : nullptr;
    if (mainWindow) {
        // Every control has drawn its face by now; the first frame the window system shows is
        // the whole window.
        mainWindow->ensurePolished();
        mainWindow->show();
        mainWindow->repaint();
    }
    raise();
    if (mainWindow)
        emit MainWindowShown(mainWindow);
    SetFormAlpha();
}

void frmSplash::Finish()
{
    phase = Phase::Done;
    close();
    if (mainWindow)
        mainWindow->activateWindow();
    emit Finished();
}

void frmSplash::ApplyAlpha(int value)
{
    alpha = value;
    setWindowOpacity(value / 255.0);
    emit AlphaApplied(value);
}
