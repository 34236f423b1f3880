// The "More filters" area and the saved screens on the main window.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QToolButton>

#include "MainWindowTestSupport.h"
#include "app/ChangesFile.h"
#include "app/MoreFiltersArea.h"
#include "platform/SafeFile.h"
#include "platform/TextPrompt.h"
#include "store/Module1.h"

using namespace mainwindowtest;

namespace {

using BoundText::Side;

StockRecord Stock(const char *symbol, double price, double capMillions, double pe)
{
    StockRecord r;
    r.Symbol = QString::fromLatin1(symbol);
    r.Company = r.Symbol + " Corp";
    r.Price = price;
    r.MarketCap = capMillions * 1000000;
    r.PE = pe;
    return r;
}

class Screens : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        platform::SetTextPromptHandler([this](const platform::TextPromptRequest &) {
            if (names.empty()) {
                ADD_FAILURE() << "unexpected prompt";
                return std::optional<QString>();
            }
            const std::optional<QString> name = names.front();
            names.pop_front();
            return name;
        });
        //                   price cap   pe
        Stocks().Assign({Stock("LOW", 0.40, 20, 12), Stock("MID", 1.00, 250, 30),
                         Stock("NOPE", 1.20, 90, 0), Stock("NEW", 1.40, 40, 15),
                         Stock("HIGH", 3.00, 60, 20)});
        ASSERT_TRUE(Module1::SaveStockDatabase());
    }
    void TearDown() override
    {
        platform::SetTextPromptHandler({});
        MainWindow::TearDown();
    }

    MoreFiltersArea &Area() const { return *Ui().fraMoreFilters; }
    QLineEdit &Box(ScreenField field, Side side) const { return *Area().Box(field, side); }
    QStringList Listed() const
    {
        QStringList symbols;
        for (int r = 0; r < Grid().ItemCount(); ++r) symbols << Grid().CellText(r, 0);
        return symbols;
    }
    void Search(const char *min, const char *max)
    {
        Ui().txtMinRate->setText(min);
        Ui().txtMaxRate->setText(max);
        Click(Ui().cmdSearchStock);
    }

    std::deque<std::optional<QString>> names;
};

TEST_F(Screens, BoundsNarrowThePriceSearchAndAWrongBoxChangesNothing)
{
    BandChanges changes;
    changes.Stocks = 5;
    changes.StocksBefore = 4;
    changes.Entered = {"NEW", "NOPE"};
    ASSERT_TRUE(ChangesFile::Write(changes));
    OpenShown();
    // Folded at start; unfolded, the grid gives up its top and keeps its bottom.
    EXPECT_FALSE(window->MoreFiltersShown());
    EXPECT_TRUE(Area().isHidden());
    const QRect folded = Grid().geometry();
    Click(Ui().cmdMoreFilters);
    EXPECT_TRUE(window->MoreFiltersShown());
    EXPECT_TRUE(Area().isVisible());
    EXPECT_GT(Grid().geometry().top(), Area().geometry().bottom());
    EXPECT_EQ(Grid().geometry().bottom(), folded.bottom());

    Box(ScreenField::PE, Side::Min).setText("10");
    Box(ScreenField::PE, Side::Max).setText("25");
    Search("0.5", "2");
    EXPECT_EQ(Listed(), QStringList({"NEW"}));  // MID fails its P/E, NOPE shows none
    EXPECT_EQ(window->LastSearch().LeftOutMissing, 1);
    EXPECT_EQ(Ui().lblListStatus->text(),
              QString::fromUtf8("1 stock: $0.50-$2.00, P/E 10-25 \u00B7 1 left out for a missing "
                                "value"));
    Search("0", "5");
    EXPECT_EQ(Listed(), QStringList({"LOW", "NEW", "HIGH"}));
    Box(ScreenField::MarketCap, Side::Max).setText("50");
    window->SearchStocks();
    EXPECT_EQ(Listed(), QStringList({"LOW", "NEW"}));
    Click(Ui().chkNewOnly);
    EXPECT_EQ(Listed(), QStringList({"NEW"}));
    EXPECT_EQ(Ui().lblListStatus->text(),
              "1 stock: $0.00-$5.00, Market Cap at most $50M, P/E 10-25, new only");
    Click(Ui().chkNewOnly);

    // Folded away the bounds still count, and the caption says how many boxes are set.
    Click(Ui().cmdMoreFilters);
    EXPECT_EQ(Ui().cmdMoreFilters->text(), "More filters (3 set)");
    window->SearchStocks();
    EXPECT_EQ(Listed(), QStringList({"LOW", "NEW"}));
    EXPECT_TRUE(messages.empty());

    const struct {
        ScreenField field;
        Side side;
        const char *text;
        const char *message;
    } wrong[] = {
        {ScreenField::Beta, Side::Min, "abc", "The Minimum Beta \"abc\" is not a number."},
        {ScreenField::PB, Side::Max, "1e400", "The Maximum P/B \"1e400\" is out of range."},
        {ScreenField::PS, Side::Min, "nan", "The Minimum P/S \"nan\" is not a number."},
        {ScreenField::MarketCap, Side::Min, "1,000", "The Minimum Market Cap \"1,000\" has a"},
        {ScreenField::MarketCap, Side::Min, "$5", "The Minimum Market Cap \"$5\" has a \"$\""},
        {ScreenField::MarketCap, Side::Min, "-1", "The Minimum Market Cap \"-1\" is below 0"},
        {ScreenField::PE, Side::Min, "30", "The Minimum P/E \"30\" is above the Maximum P/E"},
    };
    for (const auto &w : wrong) {
        SCOPED_TRACE(w.text);
        messages.clear();
        QLineEdit &box = Box(w.field, w.side);
        const QString before = box.text();
        box.setText(w.text);
        QStringList typed;
        for (const auto &pair : Area().Texts()) typed << pair.Min << pair.Max;
        window->SearchStocks();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].text.startsWith(w.message)) << messages[0].text.toStdString();
        EXPECT_EQ(messages[0].caption, "Zentrin");
        EXPECT_EQ(Listed(), QStringList({"LOW", "NEW"})) << "the last list stays";
        QStringList after;
        for (const auto &pair : Area().Texts()) after << pair.Min << pair.Max;
        EXPECT_EQ(after, typed) << "every box as typed";
        EXPECT_TRUE(window->MoreFiltersShown()) << "the wrong box is shown";
        box.setText(before);
        Click(Ui().cmdMoreFilters);
    }
}

TEST_F(Screens, SavedScreensRoundTripThroughScreensIni)
{
    OpenShown();
    Click(Ui().cmdMoreFilters);
    Ui().txtMinRate->setText("0.5");
    Ui().txtMaxRate->setText("1.5");
    Box(ScreenField::PE, Side::Min).setText("10");
    Box(ScreenField::PE, Side::Max).setText("25");
    QComboBox &list = *Area().cboScreens;

    names = {std::nullopt, QString("   "), QString("  Value  ")};
    Click(Area().cmdSaveScreen);  // cancelled
    EXPECT_FALSE(QFile::exists(ScreensFile::Path()));
    Click(Area().cmdSaveScreen);  // a blank name
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "The screen was not saved: a screen needs a name.");
    EXPECT_FALSE(QFile::exists(ScreensFile::Path()));
    Click(Area().cmdSaveScreen);
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.currentText(), "Value");
    EXPECT_TRUE(folder.ReadBytes("screens.ini")
                    .contains("[Value]\r\nMinPrice=0.5\r\nMaxPrice=1.5"
                              "\r\nMinPE=10\r\nMaxPE=25\r\n"));

    // The same name in other letters asks before it replaces.
    Box(ScreenField::PE, Side::Max).setText("20");
    names = {QString("value"), QString("value")};
    answers = {MessageAnswer::No, MessageAnswer::Yes};
    messages.clear();
    Click(Area().cmdSaveScreen);
    EXPECT_TRUE(folder.ReadBytes("screens.ini").contains("MaxPE=25"));
    Click(Area().cmdSaveScreen);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "A screen named \"Value\" exists already. Replace it?");
    EXPECT_TRUE(folder.ReadBytes("screens.ini").contains("[value]\r\nMinPrice=0.5"));
    EXPECT_TRUE(folder.ReadBytes("screens.ini").contains("MaxPE=20"));

    // A full disk loses nothing.
    const QByteArray saved = folder.ReadBytes("screens.ini");
    names = {QString("Other")};
    messages.clear();
    platform::SetWriteBudgetForTests(10);
    Click(Area().cmdSaveScreen);
    platform::SetWriteBudgetForTests(-1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith("The screen \"Other\" could not be saved:"));
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(folder.ReadBytes("screens.ini"), saved);

    // Another start lists it; choosing it fills the boxes, unfolds the area and searches.
    window.reset();
    OpenShown();
    EXPECT_EQ(Area().cboScreens->count(), 1);
    EXPECT_EQ(Area().cboScreens->currentIndex(), -1);
    emit Area().cboScreens->activated(0);
    EXPECT_EQ(Ui().txtMinRate->text(), "0.50");
    EXPECT_EQ(Ui().txtMaxRate->text(), "1.50");
    EXPECT_EQ(Box(ScreenField::PE, Side::Min).text(), "10");
    EXPECT_EQ(Box(ScreenField::PE, Side::Max).text(), "20");
    EXPECT_EQ(Box(ScreenField::Beta, Side::Min).text(), "");
    EXPECT_TRUE(window->MoreFiltersShown());
    EXPECT_EQ(Listed(), QStringList({"NEW"}));

    Area().cboScreens->setCurrentIndex(0);
    answers = {MessageAnswer::No, MessageAnswer::Yes};
    Click(Area().cmdDeleteScreen);
    EXPECT_EQ(Area().cboScreens->count(), 1);
    Click(Area().cmdDeleteScreen);
    EXPECT_EQ(Area().cboScreens->count(), 0);
    EXPECT_FALSE(folder.ReadBytes("screens.ini").contains("[value]"));
    EXPECT_EQ(Box(ScreenField::PE, Side::Max).text(), "20") << "deleting keeps the boxes";
}

TEST_F(Screens, ADamagedScreensFileIsKeptUntilAScreenIsSaved)
{
    const QByteArray garbage = "[Mine]\r\nMinPrice=0\r\nMaxPrice=5\r\nMinPE=ten\r\n";
    folder.WriteBytes("screens.ini", garbage);
    OpenShown();
    QComboBox &list = *Area().cboScreens;
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.placeholderText(), "screens.ini cannot be read");
    EXPECT_TRUE(list.toolTip().contains("line 4: MinPE \"ten\" is not a number"))
        << list.toolTip().toStdString();
    Search("0", "5");
    window.reset();  // opening, searching and closing leave it alone
    EXPECT_EQ(folder.ReadBytes("screens.ini"), garbage);

    OpenShown();
    names = {QString("Fresh")};
    Click(Area().cmdSaveScreen);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("screens.ini.damaged")) << messages[0].text.toStdString();
    EXPECT_EQ(folder.ReadBytes("screens.ini.damaged"), garbage);
    EXPECT_EQ(Area().cboScreens->count(), 1);
    EXPECT_EQ(Area().cboScreens->placeholderText(), "Choose a screen");

    // Edited by hand into a number no box holds: refused, not cut short.
    folder.WriteBytes("screens.ini", "[Huge]\r\nMinPrice=0\r\nMaxPrice=5\r\nMaxPE=1e30\r\n");
    window.reset();
    OpenShown();
    Ui().txtMaxRate->setText("4");
    emit Area().cboScreens->activated(0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(
        messages[0].text.startsWith("The screen \"Huge\" cannot be used: its Maximum P/E "
                                    "1000000000000000000000000000000 is longer"))
        << messages[0].text.toStdString();
    EXPECT_EQ(Ui().txtMaxRate->text(), "4");
    EXPECT_EQ(Box(ScreenField::PE, Side::Max).text(), "");
}

}  // namespace
