#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

// The first window of the program: it sets the application title, fades in, waits a second,
// creates and shows the main window, fades out and closes. The steps and the pause run on
// timers, so the window is drawn from its first frame and the program answers throughout.
// Fades run only on a desktop that can make windows translucent (version 5 or later);
// elsewhere the splash stays opaque for the same total time.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    // Makes (and loads) the main window; the caller keeps it.
    using MainWindowFactory = std::function<QWidget *()>;

    // The waits of the sequence: one alpha step every StepMs, PauseMs between the fades.
    struct Timing {
        int StepMs = 30;
        int PauseMs = 1000;
    };

    explicit frmSplash(MainWindowFactory makeMainWindow, QWidget *parent = nullptr);
    frmSplash(MainWindowFactory makeMainWindow, Timing timing, QWidget *parent = nullptr);

    // The desktop's major version as text ("6"), or major + minor / 100 with two decimals.
    static QString GetWindowsVersion(bool majorOnly);
    bool FadingUsed() const { return fading; }

    // The first activation: starts the sequence, which goes on from the event loop up to
    // closing. Later calls do nothing.
    void Form_Activate();

    // Start the fade in to 255 or out to 0, in steps of 10 (the last step jumps).
    void SetFormAlpha2();
    void SetFormAlpha();
    int Alpha() const { return alpha; }

    // The main window once it has been made.
    QWidget *MainWindow() const { return mainWindow; }
    // The sequence ran to its end and the window closed.
    bool Done() const { return phase == Phase::Done; }

signals:
    // Every opacity the window is given, in order.
    void AlphaApplied(int alpha);
    // The main window has been shown and painted, under the splash window.
    void MainWindowShown(QWidget *mainWindow);
    // The splash window has closed; the main window is on its own.
    void Finished();

protected:
    bool event(QEvent *event) override;

private:
    enum class Phase { Idle, FadingIn, Pausing, FadingOut, Done };

    void Step();
    void HandOver();
    void Finish();
    void ApplyAlpha(int value);

    MainWindowFactory makeMainWindow;
    Timing timing;
    QWidget *mainWindow = nullptr;
    QLabel *picture;
    QTimer timer;
    Phase phase = Phase::Idle;
    // Steps taken by the current fade; without fading they keep the time alone.
    int stepsTaken = 0;
    bool fading = false;
    bool activated = false;
    int alpha = 255;
};
