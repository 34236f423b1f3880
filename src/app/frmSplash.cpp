#include "app/frmSplash.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "app/AppTitle.h"
#include "app/Artwork.h"
#include "platform/Clock.h"
#include "platform/DesktopVersion.h"

namespace {
constexpr int StepMs = 30;
constexpr int StepSize = 10;
}  // namespace

frmSplash::frmSplash(MainWindowFactory makeMainWindow, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      makeMainWindow(std::move(makeMainWindow)),
      picture(new QLabel(this))
{
    const QSize size(480, 300);
    setFixedSize(size);
    picture->setGeometry(rect());
    picture->setPixmap(QPixmap::fromImage(Artwork::SplashPicture(size)));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

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
    // shown counts as its activation. The sequence blocks for seconds and shows another
    // window: it starts once the event has been delivered.
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
    repaint();
    SetFormAlpha2();
    platform::CurrentClock().Sleep(1000);
    mainWindow = makeMainWindow ? makeMainWindow() : nullptr;
    if (mainWindow) {
        mainWindow->show();
        mainWindow->repaint();
    }
    raise();
    SetFormAlpha();
    close();
    if (mainWindow)
        mainWindow->activateWindow();
}

void frmSplash::SetFormAlpha2()
{
    if (!fading)
        return;
    while (alpha != 255) {
        WaitOneStep();
        ApplyAlpha(alpha >= 240 ? 255 : alpha + StepSize);
    }
}

void frmSplash::SetFormAlpha()
{
    if (!fading)
        return;
    while (alpha != 0) {
        WaitOneStep();
        ApplyAlpha(alpha <= StepSize ? 0 : alpha - StepSize);
    }
}

void frmSplash::WaitOneStep()
{
    // Polls the counter without pumping events or sleeping, so every step takes its full time.
    platform::Clock &clock = platform::CurrentClock();
    const uint32_t start = clock.TickCount();
    while (platform::TicksSince(start, clock.TickCount()) < StepMs) {
    }
}

void frmSplash::ApplyAlpha(int value)
{
    alpha = value;
    setWindowOpacity(value / 255.0);
    // Without pumping, the window system sees the new opacity only when asked to draw.
    if (isVisible())
        repaint();
    emit AlphaApplied(value);
}
