#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>

#include "MainWindowTestSupport.h"
#include "app/ChangesFile.h"
#include "app/ScreenerAddress.h"
#include "download/MultiDownloader.h"
#include "platform/DrawingSurface.h"
#include "store/Module1.h"
#include "widgets/ucProgressBar.h"

using namespace mainwindowtest;
using platform::MessageIcon;

TEST_F(MainWindow, LoadPreparesTheWindowFromItsSavedSettings)
{
    frmMain &w = Open();
    EXPECT_EQ(w.windowTitle(), "Zentrin 2.0");
    for (QWidget *panel : Ui().picC) EXPECT_EQ(panel->pos(), Ui().picC[0]->pos());
    EXPECT_EQ(Ui().lblCaption0->text(), "Price");
    EXPECT_EQ(Ui().lblCaption5->text(), "File Updates");
    EXPECT_EQ(Ui().lblCaption2->text(), "About");
    EXPECT_TRUE(QDir(folder.File("temp")).exists());

    // tab 0 on top and drawn pressed
    EXPECT_EQ(w.SelectedTab(), 0);
    EXPECT_EQ(TabValues(), std::vector<int>({0, 1, 1, 1}));
    EXPECT_EQ(Ui().picC[0]->parentWidget()->children().last(), Ui().picC[0]);

    // the grid's columns, sized in pixels
    const QStringList captions{"Symbol", "Company", "Price", "Industry", "Market Cap", "Beta",
                               "PE",     "P/B",     "P/S",   "Chg %",    "Since"};
    const std::vector<float> widths{100, 280, 80, 200, 70, 70, 70, 70, 70, 70, 80};
    ASSERT_EQ(Grid().Cols(), 10);
    EXPECT_EQ(Grid().ScaleUnits(), 3);
    EXPECT_TRUE(Grid().MultiSelect());
    EXPECT_EQ(Grid().RowHeightMin(), 20);
    for (int c = 0; c <= 10; ++c) {
        const bool text = c == 0 || c == 1 || c == 3 || c == 10;
        EXPECT_EQ(Grid().ColHeading(c), captions[c]);
        EXPECT_EQ(Grid().ColWidth(c), widths[static_cast<size_t>(c)]) << c;
        EXPECT_EQ(Grid().ColAlignment(c), text ? 4 : 6) << c;
        EXPECT_EQ(Grid().ColType(c), c == 10 ? TypeDate : text ? TypeText : TypeNumber) << c;
        EXPECT_TRUE(Grid().ColVisible(c));
    }
    EXPECT_EQ(Grid().font().family(), "MS Sans Serif");
    // the classic names are drawn in the sans font the setup installs
    EXPECT_EQ(QFontInfo(Grid().font()).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(Ui().ButtonEx1[0]->Font()).family(), "Liberation Sans");
    EXPECT_EQ(Grid().ThemeColor(), 2);
    EXPECT_EQ(Grid().BackColorSel(), 0xF1D8C9u);
    EXPECT_EQ(Grid().ForeColorSel(), 0x9C613Bu);
    EXPECT_EQ(Grid().FocusRectColor(), 0x9C613Bu);
    EXPECT_EQ(Grid().GridColor(), 0xEBEBEBu);
    EXPECT_EQ(Grid().AllowUserResizing(), 1);
    EXPECT_TRUE(Grid().ColumnDrag());
    EXPECT_TRUE(Grid().ColumnSort());

    // buttons: captions, styles, skins and fonts from the saved settings
    struct Expect {
        widgets::ButtonEx *button;
        QString caption;
        int style;
        QSize size;
        bool upSkin;
        QString font;
    };
    std::vector<Expect> expect;
    const QStringList tabs{"Price Search", "Data Updates", "About", "Quit"};
    for (int i = 0; i < 4; ++i)
        expect.push_back({Ui().ButtonEx1[i], tabs[i], 1, {160, 35}, true, "Arial"});
    expect.push_back({Ui().cmdSearchStock, "Search Stocks", 0, {124, 25}, true, "Arial"});
    const QStringList list{"Remove All", "Remove Selected", "Export CSV", "More Info"};
    for (int i = 0; i < 4; ++i)
        expect.push_back({Ui().ListButtons[i], list[i], 0, {124, 25}, true, "Arial"});
    expect.push_back({Ui().ButtonEx6, "Update Data", 0, {160, 35}, true, "MS Sans Serif"});
    for (widgets::ButtonEx *help : Ui().CmdHelpTip)
        expect.push_back({help, "?", 0, {28, 25}, false, "Arial"});
    for (const Expect &e : expect) {
        SCOPED_TRACE(e.button->objectName().toStdString());
        EXPECT_EQ(e.button->Caption(), e.caption);
        EXPECT_EQ(e.button->Appearance(), 2);
        EXPECT_EQ(e.button->Style(), e.style);
        EXPECT_EQ(e.button->size(), e.size);
        EXPECT_EQ(e.button->SkinUp().HasImage(), e.upSkin);
        EXPECT_TRUE(e.button->SkinOver().HasImage());
        EXPECT_TRUE(e.button->SkinDown().HasImage());
        EXPECT_FALSE(e.button->SkinFocus().IsAssigned());
        EXPECT_EQ(e.button->TransparentColor(), e.upSkin ? 0xFFFFFFu : 0xFF0000u);
        EXPECT_EQ(e.button->Font().family(), e.font);
    }
    for (widgets::ucProgressBar *bar : {Ui().ucProgressBar1, Ui().ucProgressBar2}) {
        EXPECT_EQ(bar->size(), QSize(620, 14));
        EXPECT_TRUE(bar->BarPictureFore().HasImage());
        EXPECT_EQ(bar->CaptionFormat(), 0);
    }
    EXPECT_EQ(Ui().lblDownloadStatus->text(), "");
    ASSERT_NE(Ui().MultiDownloader1, nullptr);
    EXPECT_EQ(Ui().MultiDownloader1->Host(), Ui().ButtonEx6->Host()) << "hosted by the window";
    EXPECT_TRUE(Ui().txtMinRate->text().isEmpty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindow, ReminderAtTheFirstActivationOnly)
{
    const struct {
        const char *timeTxt;  // nullptr: no file
        QString text;
    } cases[] = {
        {nullptr,
         "Stock data is out of date please update data.\r\nWould you like to update the data now?"},
        {"08,Dec 2008 at 09:21:05 AM\r\n",
         "Last data update was done on 08,Dec 2008 at 09:21:05 AM\r\n\r\n"
         "Would you like to update the data?"},
        {"line one\r\nline two\r\n",
         "Last data update was done on line one\r\nline two\r\n\r\n"
         "Would you like to update the data?"},
    };
    for (const auto &c : cases) {
        QFile::remove(folder.File("time.txt"));
        if (c.timeTxt)
            folder.WriteBytes("time.txt", c.timeTxt);
        messages.clear();
        frmMain &w = Open();
        answers.push_back(MessageAnswer::No);
        w.Form_Activate();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_EQ(messages[0].caption, "Zentrin");
        EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(messages[0].icon, MessageIcon::Information);
        // No: the price search stays and nothing starts
        EXPECT_EQ(w.SelectedTab(), 0);
        EXPECT_EQ(TabValues(), std::vector<int>({0, 1, 1, 1}));
        EXPECT_FALSE(QFile::exists(folder.File("data.dat")));
        EXPECT_TRUE(clock.Sleeps().empty());
        w.Form_Activate();
        EXPECT_EQ(messages.size(), 1u);
    }
}

TEST_F(MainWindow, ReminderRunsTheUpdateAgainstTheScreener)
{
    StartSimulator(45);
    frmMain &w = Open();
    answers.push_back(MessageAnswer::Yes);
    w.Form_Activate();

    EXPECT_EQ(w.SelectedTab(), 1);
    EXPECT_EQ(TabValues(), std::vector<int>({1, 0, 1, 1}));
    ASSERT_GE(clock.Sleeps().size(), 1u);
    EXPECT_EQ(clock.Sleeps()[0], 200);
    EXPECT_EQ(clock.Sleeps().size(), 1u + 4 * 10) << "the wait, then four pages' settle";
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "Data downloaded and imported into application.");
    ASSERT_EQ(Stocks().Count(), 45);
    EXPECT_EQ(Stocks()[44].Symbol, sim->Universe()[44].Symbol);
    EXPECT_TRUE(QFile::exists(folder.File("time.txt")));
    EXPECT_EQ(Ui().ucProgressBar1->Value(), 0);
    EXPECT_EQ(Ui().lblDownloadStatus->text(), "");
    EXPECT_EQ(pointerMoves, std::vector<QPoint>({QPoint(300, 322)}));
    // the grid is not refilled by an update
    EXPECT_EQ(Grid().ItemCount(), 0);
}

TEST_F(MainWindow, ClosingAsksOnceAndNoKeepsEverything)
{
    enum class How { QuitTab, CloseBox };
    const struct {
        How how;
        MessageAnswer answer;
    } cases[] = {{How::QuitTab, MessageAnswer::No},
                 {How::QuitTab, MessageAnswer::Yes},
                 {How::CloseBox, MessageAnswer::No},
                 {How::CloseBox, MessageAnswer::Yes}};
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.how) * 10 + static_cast<int>(c.answer));
        frmMain &w = OpenShown();
        Click(Ui().ButtonEx1[1]);
        ASSERT_EQ(w.SelectedTab(), 1);
        answers.push_back(c.answer);
        if (c.how == How::QuitTab)
            Click(Ui().ButtonEx1[3]);
        else
            w.close();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Are you sure wish to close the application");
        EXPECT_EQ(messages[0].caption, "Zentrin");
        const bool closed = c.answer == MessageAnswer::Yes;
        EXPECT_EQ(w.isVisible(), !closed);
        if (!closed) {
            EXPECT_EQ(w.SelectedTab(), 1);
            EXPECT_EQ(TabValues(), std::vector<int>({1, 0, 1, 1}));
        } else {
            // nothing asks a second time, whoever closes the window next
            w.close();
            EXPECT_EQ(messages.size(), 1u);
        }
    }
}

TEST_F(MainWindow, ClosingDuringAnUpdateStopsItAndKeepsTheOldData)
{
    // Closes the window (answering Yes) from inside the run's fifth settle sleep.
    SleepHookClock closing;
    platform::ScopedClock useClosing(closing);
    StartSimulator(200);
    const QByteArray oldData = "\r\nOLD~!@Old Co~!@Gold~!@X~!@1.5\r\n";
    folder.WriteBytes("data.dat", oldData);
    folder.WriteBytes("time.txt", "01,Jan 2020 at 10:00:00 AM\r\n");
    frmMain &w = OpenShown();
    closing.AfterSleep = [&] {
        if (closing.Sleeps().size() != 5)
            return;
        answers.push_back(MessageAnswer::Yes);
        w.close();
    };
    EXPECT_EQ(w.UpdateDataAction(), UpdateOutcome::Stopped);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.UpdateRunning());
    EXPECT_EQ(folder.ReadBytes("data.dat"), oldData);
    EXPECT_EQ(folder.ReadBytes("time.txt"), "01,Jan 2020 at 10:00:00 AM\r\n");
    ASSERT_EQ(messages.size(), 1u);  // the close question only
    EXPECT_LT(sim->RequestLog().size(), 5);
}

TEST_F(MainWindow, HelpTipsAndLinks)
{
    StartSimulator(1);
    frmMain &w = OpenShown();
    const QString site = sim->Site();
    const QString tips[] = {
        "You can enter amounts in any form from 0.00 to 5.00.\r\n"
        "Remember to update your data often as prices change daily.",
        "This tool is an extension of the price search on our website at " + site +
            ".\r\nSerious Small Cap Vozaz Stock Investors need information they can trust.\r\n"
            "Visit us today.",
        "Use the More Info Button to visit our quote page and get detailed information about "
        "these companies."};
    for (int i = 0; i < 3; ++i) {
        messages.clear();
        Click(Ui().CmdHelpTip[i]);
        ASSERT_EQ(messages.size(), 1u) << i;
        EXPECT_EQ(messages[0].text, tips[i]);
        EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(messages[0].caption, "Zentrin");
    }

    Click(Ui().Image1);
    Click(Ui().Label5);
    w.SelectTab(2);
    Click(Ui().Label6);
    EXPECT_EQ(opened, QStringList({site + "/", site + "/", frmMain::ProductSiteAddress()}));
    EXPECT_EQ(Ui().Label6->text(), frmMain::ProductSiteAddress());
    EXPECT_EQ(Ui().Label5->text(), site);

    // without the simulator the links lead to the vendor's own site
    qunsetenv("ZENTRIN_SCREENER_URL");
    EXPECT_EQ(ScreenerAddress::HomePageAddress(), "http://screener.vozaz.com/");
}

TEST_F(MainWindow, DatabaseDamageIsReportedOnceAtStartAndSaveLeftoversGo)
{
    QByteArray data = "\r\n~!@~!@\r\n~!@Nameless Co\r\n";
    for (int i = 0; i < StockTable::MaxRecords + 3; ++i)
        data += "S" + QByteArray::number(i) + "~!@Co~!@Gold~!@X~!@1\r\n";
    folder.WriteBytes("data.dat", data);
    // What saves killed before their rename left.
    folder.WriteBytes("data.dat.saving-Ab12Cd", data);
    QDir(folder.Path()).mkdir("temp");
    folder.WriteBytes("temp/4.dat.saving-xY34zW", "<html>");
    Open();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(" 3 more stocks than the 32767"))
        << messages[0].text.toStdString();
    EXPECT_TRUE(messages[0].text.contains(" 2 records without a stock symbol"));
    EXPECT_EQ(messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(Stocks().Count(), StockTable::MaxRecords);
    EXPECT_FALSE(QFile::exists(folder.File("data.dat.saving-Ab12Cd")));
    EXPECT_FALSE(QFile::exists(folder.File("temp/4.dat.saving-xY34zW")));
    EXPECT_EQ(folder.ReadBytes("data.dat"), data);
}

// "Update Data" cannot be pressed while its run goes on, and looks it: the greyed skin. It is
// back at the end of every run, completed or not.
TEST_F(MainWindow, UpdateDataIsDisabledWhileARunGoesOnHoweverItEnds)
{
    SleepHookClock watching;
    platform::ScopedClock useWatching(watching);
    StartSimulator(45);
    frmMain &w = OpenShown();
    widgets::ButtonEx &button = *Ui().ButtonEx6;
    const QImage enabled = button.Surface().Image();
    for (const UpdateOutcome expected : {UpdateOutcome::Completed, UpdateOutcome::Stopped}) {
        SCOPED_TRACE(static_cast<int>(expected));
        int seen = 0;
        watching.AfterSleep = [&] {
            ++seen;
            EXPECT_FALSE(button.Enabled());
            EXPECT_FALSE(button.isEnabled());
            EXPECT_EQ(button.State(), widgets::StateDisabled);
            EXPECT_NE(button.Surface().Image(), enabled);
            Click(&button);  // pressed anyway: nothing starts
            if (expected == UpdateOutcome::Stopped && seen == 3) {
                answers.push_back(MessageAnswer::Yes);
                w.close();
            }
        };
        EXPECT_EQ(w.UpdateDataAction(), expected);
        watching.AfterSleep = nullptr;
        EXPECT_GT(seen, 2);
        EXPECT_TRUE(button.Enabled());
        EXPECT_EQ(button.State(), widgets::StateUp);
        EXPECT_EQ(button.Surface().Image(), enabled);
    }
}

TEST_F(MainWindow, SearchLoadsTheListAnotherZentrinSavedAndTheAboutTabNamesTheFolder)
{
    folder.WriteBytes("data.dat", "\r\nAAA~!@A Co~!@Gold~!@X~!@1.5\r\n");
    OpenShown();
    EXPECT_EQ(
        Ui().lblDataFolder->text(),
        "Your stock data: " + QDir::toNativeSeparators(folder.Path()) + " (beside the program)");
    const auto listed = [&] {
        QStringList symbols;
        for (int r = 0; r < Grid().ItemCount(); ++r) symbols << Grid().CellText(r, 0);
        return symbols;
    };
    Ui().txtMinRate->setText("1");
    Ui().txtMaxRate->setText("2");
    Click(Ui().cmdSearchStock);
    EXPECT_EQ(listed(), QStringList({"AAA"}));

    // A timer's update replaces data.dat and changes.txt while the window is open.
    folder.WriteBytes("data.dat",
                      "\r\nAAA~!@A Co~!@Gold~!@X~!@1.5\r\nBBB~!@B Co~!@Gold~!@X~!@1.25\r\n");
    BandChanges changes;
    changes.Stocks = 2;
    changes.Pages = 1;
    changes.StocksBefore = 1;
    changes.Entered = {"BBB"};
    ASSERT_TRUE(ChangesFile::Write(changes));
    Click(Ui().cmdSearchStock);
    EXPECT_EQ(listed(), QStringList({"AAA", "BBB"}));
    EXPECT_TRUE(Ui().lblUpdateProgress->text().startsWith("2 stocks from 1 page"));
    Click(Ui().chkNewOnly);
    EXPECT_EQ(listed(), QStringList({"BBB"}));
    EXPECT_EQ(Stocks().Count(), 2);
    EXPECT_TRUE(messages.empty());
}
