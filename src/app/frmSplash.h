#pragma once

#include <QWidget>
#include <functional>

class QLabel;

// The first window of the program: it sets the application title, fades in, waits a second,
// creates and shows the main window, fades out and closes. Fades run only on a desktop that
// can make windows translucent (version 5 or later); elsewhere the splash appears and goes at
// once. The fades block: each step polls the millisecond counter for 30 ms.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    // Makes (and loads) the main window; the caller keeps it.
    using MainWindowFactory = std::function<QWidget *()>;

    explicit frmSplash(MainWindowFactory makeMainWindow, QWidget *parent = nullptr);

    // The desktop's major version as text ("6"), or major + minor / 100 with two decimals.
    static QString GetWindowsVersion(bool majorOnly);
    bool FadingUsed() const { return fading; }

    // The first activation: the whole sequence up to closing. Later calls do nothing.
    void Form_Activate();

    // Fade in to 255 and fade out to 0, in steps of 10 every 30 ms (the last step jumps).
    void SetFormAlpha2();
    void SetFormAlpha();
    int Alpha() const { return alpha; }

    // The main window once it has been made.
    QWidget *MainWindow() const { return mainWindow; }

signals:
    // Every opacity the window is given, in order.
    void AlphaApplied(int alpha);

protected:
    bool event(QEvent *event) override;

private:
    void ApplyAlpha(int value);
    void WaitOneStep();

    MainWindowFactory makeMainWindow;
    QWidget *mainWindow = nullptr;
    QLabel *picture;
    bool fading = false;
    bool activated = false;
    int alpha = 255;
};
