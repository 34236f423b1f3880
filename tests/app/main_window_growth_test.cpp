#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "MainWindowTestSupport.h"
#include "app/frmSplash.h"
#include "widgets/ucProgressBar.h"

using namespace mainwindowtest;

namespace {

// What the window system shows of a window: the offscreen platform keeps what was flushed.
QImage Shown(QWidget &w)
{
    return QGuiApplication::primaryScreen()->grabWindow(w.winId()).toImage().convertToFormat(
        QImage::Format_RGB32);
}

QImage Rendered(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect InWindow(const QWidget &control, const QWidget &window)
{
    return QRect(control.mapTo(&window, QPoint(0, 0)), control.size());
}

void FillTable(int count)
{
    std::vector<StockRecord> records(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        StockRecord &r = records[static_cast<std::size_t>(i)];
        r.Symbol = QStringLiteral("S%1").arg(i, 4, 10, QLatin1Char('0'));
        r.Company = QStringLiteral("Company %1").arg(i);
        r.Price = 1 + (i % 300) / 100.0;
    }
    Stocks().Assign(records);
}

}  // namespace

// The splash hands over as the program does: the main window is shown complete in its first
// frame, and the update reminder waits until the splash window has gone.
TEST_F(MainWindow, TheFirstVisibleFrameHasItsControlsAndTheReminderWaitsForTheSplash)
{
    // The window system shows a window once it has been painted; what it shows first is taken
    // right after that first paint, beside a fresh rendering of the window at that moment.
    class FirstFrame : public QObject {
    public:
        QImage shown, rendered;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && shown.isNull()) {
                auto *w = static_cast<QWidget *>(watched);
                QTimer::singleShot(0, this, [this, w] {
                    shown = Shown(*w);
                    rendered = Rendered(*w);
                });
            }
            return false;
        }
    } frame;
    bool remindedDuringTheSplash = false;
    bool visibleWhenMade = true;
    frmSplash splash(
        [&]() -> QWidget * {
            Open();
            window->HoldActivation();
            window->installEventFilter(&frame);
            visibleWhenMade = window->isVisible();
            return window.get();
        },
        {1, 5});
    QObject::connect(&splash, &frmSplash::Finished, [&] {
        remindedDuringTheSplash = !messages.empty();
        window->ReleaseActivation();
    });
    answers.push_back(MessageAnswer::No);
    splash.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return splash.Done(); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Activated(); }, 2000));
    EXPECT_FALSE(visibleWhenMade);
    EXPECT_FALSE(remindedDuringTheSplash);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith("Stock data is out of date"));
    const QImage &first = frame.shown;
    const QImage &rendered = frame.rendered;

    frmMain &w = *window;
    ASSERT_EQ(first.size(), w.size());
    // The header band, the tabs, the search row, the grid's headings and the buttons under it
    // are all in the first frame, as a full rendering of the window draws them.
    const QRect regions[] = {
        InWindow(*Ui().picHeader, w),
        InWindow(*Ui().ButtonEx1[0], w).united(InWindow(*Ui().ButtonEx1[3], w)),
        InWindow(*Ui().cmdSearchStock, w),
        InWindow(Grid(), w).adjusted(0, 0, 0, -(Grid().height() - 40)),
        InWindow(*Ui().ListButtons[0], w).united(InWindow(*Ui().ListButtons[3], w)),
    };
    for (const QRect &r : regions) {
        SCOPED_TRACE(std::to_string(r.x()) + "," + std::to_string(r.y()));
        EXPECT_EQ(first.copy(r), rendered.copy(r));
        EXPECT_NE(first.copy(r), QImage(r.size(), QImage::Format_RGB32)) << "not a blank window";
    }
}

// Beyond its minimum size the grid takes the room: controls right of it move right, controls
// under it move down, the header band and the tabs stay, and more rows come into view.
TEST_F(MainWindow, GrowsBeyondItsMinimumAndTheGridShowsMoreRows)
{
    frmMain &w = OpenShown();
    FillTable(400);
    EXPECT_EQ(w.minimumSize(), frmMain::MinimumSize);
    EXPECT_EQ(w.size(), frmMain::MinimumSize);
    EXPECT_GT(w.maximumWidth(), 4000) << "resizable and maximizable";
    Ui().txtMinRate->setText("0");
    Ui().txtMaxRate->setText("5");
    Click(Ui().cmdSearchStock);
    ASSERT_EQ(Grid().ItemCount(), 400);

    struct Follower {
        QWidget *control;
        QPoint moved;
        QSize grown{0, 0};
    };
    const QSize extra(540, 310);
    const std::vector<Follower> followers = {
        {Ui().picHeader, {}, {540, 0}},
        {Ui().ButtonEx1[3], {}, {0, 0}},
        {Ui().cmdSearchStock, {}, {0, 0}},
        {Ui().txtMaxRate, {}, {0, 0}},
        {Ui().picC[0], {}, extra},
        {Ui().picC[1], {}, extra},
        {&Grid(), {}, extra},
        {Ui().Image1, {540, 0}, {0, 0}},
        {Ui().Label5, {540, 0}, {0, 0}},
        {Ui().CmdHelpTip[1], {540, 0}, {0, 0}},
        {Ui().lblListStatus, {0, 310}, {540, 0}},
        {Ui().ListButtons[0], {0, 310}, {0, 0}},
        {Ui().ListButtons[3], {0, 310}, {0, 0}},
        {Ui().CmdHelpTip[2], {0, 310}, {0, 0}},
        {Ui().ucProgressBar1, {}, {0, 0}},
    };
    std::vector<QRect> before;
    for (const Follower &f : followers) before.push_back(f.control->geometry());
    const int rowsAtMinimum = Grid().ItemsVisible();

    w.resize(1600, 1000);
    for (std::size_t i = 0; i < followers.size(); ++i) {
        const Follower &f = followers[i];
        SCOPED_TRACE(f.control->objectName().toStdString());
        EXPECT_EQ(f.control->geometry(),
                  QRect(before[i].topLeft() + f.moved, before[i].size() + f.grown));
    }
    EXPECT_GE(Grid().ItemsVisible(), rowsAtMinimum + 14);
    // Rows are drawn all the way down: the row that is now the last one in view shows its
    // symbol where the window of the minimum size ended.
    const QImage big = Rendered(w);
    const int last = Grid().ItemsVisible() - 1;
    const QRect lastRow(Grid().mapTo(&w, QPoint(0, Grid().RowTop(last))),
                        QSize(100, Grid().Metrics().StandardRowHeight));
    EXPECT_GT(lastRow.top(), frmMain::MinimumSize.height());
    int ink = 0;
    for (int y = lastRow.top(); y <= lastRow.bottom(); ++y)
        for (int x = lastRow.left(); x <= lastRow.right(); ++x) ink += qGray(big.pixel(x, y)) < 96;
    EXPECT_GT(ink, 20) << "a symbol is written in the row";

    w.resize(frmMain::MinimumSize);
    for (std::size_t i = 0; i < followers.size(); ++i)
        EXPECT_EQ(followers[i].control->geometry(), before[i]) << i;
}
