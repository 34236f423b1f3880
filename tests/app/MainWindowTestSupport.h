#pragma once

// A main window in a temporary program folder, with scripted dialogs, browser launch, pointer
// and clock, and a stock table filled from the simulator's universe.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <deque>
#include <functional>
#include <memory>

#include "TempProgramFolder.h"
#include "app/frmMain.h"
#include "grid/LynxGrid.h"
#include "platform/BrowserLaunch.h"
#include "platform/Clock.h"
#include "platform/CursorPosition.h"
#include "platform/MessageBox.h"
#include "screener-sim/ScreenerServer.h"
#include "store/StockTable.h"
#include "widgets/ButtonEx.h"

namespace mainwindowtest {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageRequest;

// A fake clock that calls a hook after every sleep (the update run's settle waits), so that a
// test can look at the window, or act on it, in the middle of a run.
class SleepHookClock : public platform::FakeClock {
public:
    std::function<void()> AfterSleep;
    void Sleep(int ms) override
    {
        FakeClock::Sleep(ms);
        if (AfterSleep)
            AfterSleep();
    }
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Stocks().Clear();
        qunsetenv("ZENTRIN_SCREENER_URL");
        platform::SetMessageHandler([this](const MessageRequest &m) {
            messages.push_back(m);
            if (m.buttons != MessageButtons::YesNo)
                return MessageAnswer::Ok;
            if (answers.empty())
                ADD_FAILURE() << "unexpected question: " << m.text.toStdString();
            const MessageAnswer a = answers.empty() ? MessageAnswer::No : answers.front();
            if (!answers.empty())
                answers.pop_front();
            return a;
        });
        platform::SetBrowserLauncher([this](const QString &a) { opened << a; });
        platform::SetCursorService({[] { return QPoint(300, 300); },
                                    [this](const QPoint &p) { pointerMoves.push_back(p); }});
    }

    void TearDown() override
    {
        window.reset();
        platform::SetMessageHandler({});
        platform::SetBrowserLauncher({});
        platform::SetCursorService({});
        qunsetenv("ZENTRIN_SCREENER_URL");
        Stocks().Clear();
    }

    void StartSimulator(int stocks)
    {
        sim = std::make_unique<screener_sim::ScreenerServer>(stocks);
        ASSERT_TRUE(sim->Listen());
        qputenv("ZENTRIN_SCREENER_URL", sim->Site().toUtf8());
    }

    frmMain &Open()
    {
        window = std::make_unique<frmMain>();
        return *window;
    }

    // Opened, shown and past its first activation (the reminder answered No).
    frmMain &OpenShown()
    {
        Open();
        answers.push_back(MessageAnswer::No);
        window->Form_Activate();
        window->show();
        messages.clear();
        return *window;
    }

    const frmMainControls &Ui() const { return window->Controls(); }
    LynxGrid &Grid() const { return *Ui().LynxGrid1; }

    std::vector<int> TabValues() const
    {
        std::vector<int> values;
        for (widgets::ButtonEx *b : Ui().ButtonEx1) values.push_back(b->Value());
        return values;
    }

    static void Click(QWidget *w)
    {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    }

    QStringList GridRow(int row) const
    {
        QStringList cells;
        for (int c = 0; c <= Grid().Cols(); ++c) cells << Grid().CellText(row, c);
        return cells;
    }

    TempProgramFolder folder;
    platform::FakeClock clock;
    platform::ScopedClock scopedClock{clock};
    std::unique_ptr<screener_sim::ScreenerServer> sim;
    std::unique_ptr<frmMain> window;
    std::vector<MessageRequest> messages;
    std::deque<MessageAnswer> answers;
    QStringList opened;
    std::vector<QPoint> pointerMoves;
};

}  // namespace mainwindowtest
