#include <QDir>

#include "MainWindowTestSupport.h"
#include "app/mdlCommonDialog.h"
#include "platform/SafeFile.h"
#include "platform/SaveDialog.h"

using namespace mainwindowtest;
using platform::MessageIcon;

namespace {

// The main window with a scripted Save-As dialog and a grid of `rows` listed stocks
// "S0".."S{n-1}", filled as the search fills it.
class ListActions : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        platform::SetSaveDialogHandler([this](const platform::SaveDialogRequest &r) {
            dialogs.push_back(r);
            return platform::SaveDialogAnswer{chosen, 1};
        });
    }
    void TearDown() override
    {
        platform::SetSaveDialogHandler({});
        platform::SetWriteBudgetForTests(-1);
        MainWindow::TearDown();
    }

    void List(int rows)
    {
        std::vector<StockRecord> records;
        for (int i = 0; i < rows; ++i) {
            StockRecord r;
            r.Symbol = QStringLiteral("S%1").arg(i);
            r.Company = QStringLiteral("Company %1").arg(i);
            r.Industry = "Gold";
            r.Price = 1 + i * 0.01;
            r.MarketCap = 1234500000;
            records.push_back(r);
        }
        Open();  // loads data.dat, which the folder does not have
        Stocks().Assign(records);
        Ui().txtMinRate->setText("0");
        Ui().txtMaxRate->setText("5");
        window->SearchStocks();
        ASSERT_EQ(Grid().ItemCount(), rows);
    }

    QStringList Symbols() const
    {
        QStringList symbols;
        for (int r = 0; r < Grid().ItemCount(); ++r) symbols << Grid().CellText(r, 0);
        return symbols;
    }

    QString chosen;
    std::vector<platform::SaveDialogRequest> dialogs;
};

QString Line(const QStringList &cells)
{
    QString line;
    for (const QString &c : cells) line += '"' + c + "\",";
    return line + "\r\n";
}

struct RemoveCase {
    const char *name;
    bool multiSelect;
    std::vector<int> selected;
    MessageAnswer answer;
    QStringList remaining;
    std::vector<int> selectedAfter;
};

class RemoveSelected : public ListActions, public ::testing::WithParamInterface<RemoveCase> {};

}  // namespace

TEST_P(RemoveSelected, AsksWithTheCountThenRemovesTheSelectedRows)
{
    const RemoveCase &c = GetParam();
    List(7);
    Grid().SetMultiSelect(c.multiSelect);
    for (int r : c.selected) Grid().SetItemSelected(r, true);
    const bool asks = !c.selected.empty();
    if (asks)
        answers.push_back(c.answer);

    Click(Ui().ListButtons[1]);

    ASSERT_EQ(messages.size(), asks ? 1u : 0u);
    if (asks) {
        EXPECT_EQ(messages[0].text,
                  QString("Are you sure wish to remove selected  %1 Stock symbols")
                      .arg(c.selected.size()));
        EXPECT_EQ(messages[0].caption, "Zentrin");
        EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(messages[0].icon, MessageIcon::Warning);
    }
    EXPECT_EQ(Symbols(), c.remaining);
    std::vector<int> selectedAfter;
    for (int r = 0; r < Grid().ItemCount(); ++r)
        if (Grid().ItemSelected(r))
            selectedAfter.push_back(r);
    EXPECT_EQ(selectedAfter, c.selectedAfter);
    EXPECT_EQ(Stocks().Count(), 7);  // the table keeps every record
}

const QStringList All = {"S0", "S1", "S2", "S3", "S4", "S5", "S6"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, RemoveSelected, ::testing::Values(
    RemoveCase{"rows_2_and_5", true, {2, 5}, MessageAnswer::Yes, {"S0", "S1", "S3", "S4", "S6"}, {}},
    RemoveCase{"no_removes_nothing", true, {1, 3}, MessageAnswer::No, All, {1, 3}},
    RemoveCase{"nothing_selected", true, {}, MessageAnswer::Yes, All, {}},
    RemoveCase{"every_row", true, {0, 1, 2, 3, 4, 5, 6}, MessageAnswer::Yes, {}, {}},
    // The grid hands the removed row's selection to the row taking its place; that row stays.
    RemoveCase{"single_select", false, {3}, MessageAnswer::Yes, {"S0", "S1", "S2", "S4", "S5", "S6"}, {3}}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// The file holds the rows as shown: in display order, the grid's texts, quotes doubled.
TEST_F(ListActions, ExportWritesTheRowsAsShownAndReportsSuccess)
{
    List(2);
    Grid().AddItem("Q\"1\tSay \"Hi\", Inc.\t0.10", 1);  // shown between S0 and S1
    chosen = folder.File("out.csv");

    Click(Ui().ListButtons[2]);

    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].Title, "Export Stock Symbols");
    ASSERT_EQ(dialogs[0].Filters.size(), 1u);
    EXPECT_EQ(dialogs[0].Filters[0].Description, "CSV Files (*.csv)");
    EXPECT_EQ(dialogs[0].Filters[0].Pattern, "*.csv");
    EXPECT_EQ(dialogs[0].Options, unsigned(platform::SaveDialogOption::AskBeforeOverwrite) |
                                      unsigned(platform::SaveDialogOption::FolderMustExist));
    EXPECT_EQ(dialogs[0].Owner, window.get());
    EXPECT_TRUE(dialogs[0].InitialName.isEmpty());

    const QString expected =
        Line(GridRow(0)) +
        Line({"Q\"\"1", "Say \"\"Hi\"\", Inc.", "0.10", "", "", "", "", "", "", "", ""}) +
        Line(GridRow(2)) + "\r\n";
    EXPECT_EQ(folder.ReadBytes("out.csv"), expected.toLatin1());
    EXPECT_EQ(GridRow(0), QStringList({"S0", "Company 0", "1.00", "Gold", "1234.50", "0.00", "0.00",
                                       "0.00", "0.00", "", ""}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Data succesfully exported to " + chosen);
    EXPECT_EQ(messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages[0].caption, "Zentrin");
}

TEST_F(ListActions, ExportFollowsTheGridsSortOrder)
{
    List(4);
    Grid().Sort(2, 0);  // Price, descending
    chosen = folder.File("sorted.csv");
    window->ExportCsv();
    ASSERT_EQ(Symbols(), QStringList({"S3", "S2", "S1", "S0"}));
    QString expected;
    for (int r = 0; r < 4; ++r) expected += Line(GridRow(r));
    EXPECT_EQ(folder.ReadBytes("sorted.csv"), (expected + "\r\n").toLatin1());
}

TEST_F(ListActions, ExportNamesTheFileWithCsvUnlessItEndsSoAndCancelWritesNothing)
{
    Open();
    const struct {
        const char *typed;
        const char *written;
    } cases[] = {{"list", "list.csv"},
                 {"LIST.CSV", "LIST.CSV"},
                 {"list.Csv", "list.Csv"},
                 {"list.txt", "list.txt.csv"},
                 {".csv", ".csv"}};
    for (const auto &c : cases) {
        messages.clear();
        chosen = folder.File(c.typed);
        window->ExportCsv();
        EXPECT_EQ(folder.ReadBytes(c.written), "\r\n") << c.typed;  // an empty grid
        ASSERT_EQ(messages.size(), 1u) << c.typed;
        EXPECT_EQ(messages[0].text, "Data succesfully exported to " + folder.File(c.written));
        QFile::remove(folder.File(c.written));
    }
    messages.clear();
    chosen.clear();
    window->ExportCsv();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(QDir(folder.Path()).entryList({"*.csv"}, QDir::Files), QStringList());
}

// The dialog asked about "list"; "list.csv" is a file it never asked about.
TEST_F(ListActions, ExportAsksBeforeReplacingTheFileItsAddedExtensionNames)
{
    List(1);
    folder.WriteBytes("list.csv", "keep me");
    chosen = folder.File("list");
    answers.push_back(MessageAnswer::No);
    window->ExportCsv();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(messages[0].text.startsWith("list.csv already exists."));
    EXPECT_EQ(folder.ReadBytes("list.csv"), "keep me");

    answers.push_back(MessageAnswer::Yes);
    window->ExportCsv();
    EXPECT_EQ(folder.ReadBytes("list.csv"), (Line(GridRow(0)) + "\r\n").toLatin1());
}

// A write that fails says so and leaves the file that was there.
TEST_F(ListActions, AFailedExportIsReportedAndKeepsTheOldFile)
{
    List(50);
    folder.WriteBytes("old.csv", "old list\r\n");
    QDir(folder.Path()).mkdir("taken.csv");
    const struct {
        const char *name;
        QString path;
        qint64 writeBudget;
    } cases[] = {
        {"folder gone", folder.File("gone/list.csv"), -1},
        {"disk full", folder.File("old.csv"), 100},
        {"disk full at once", folder.File("old.csv"), 0},
        {"a folder of that name", folder.File("taken.csv"), -1},
    };
    for (const auto &c : cases) {
        messages.clear();
        chosen = c.path;
        platform::SetWriteBudgetForTests(c.writeBudget);
        window->ExportCsv();
        platform::SetWriteBudgetForTests(-1);
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_TRUE(
            messages[0].text.startsWith("The stock symbols could not be exported to " + c.path))
            << c.name;
        EXPECT_EQ(messages[0].caption, "Zentrin");
        EXPECT_EQ(folder.ReadBytes("old.csv"), "old list\r\n") << c.name;
        EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files),
                  QStringList({"old.csv"}))  // no temporary file left beside it
            << c.name;
    }
}

TEST_F(ListActions, MoreInfoOpensTheQuotePageOfTheCurrentRowsStock)
{
    List(3);
    Grid().SetCellText(2, 0, "A&B C/ü");
    Click(Ui().ListButtons[3]);
    EXPECT_TRUE(opened.isEmpty());  // no current row

    Grid().SetRow(2);
    Click(Ui().ListButtons[3]);
    Grid().SetRow(0);
    Click(Ui().ListButtons[3]);
    EXPECT_EQ(opened,
              QStringList({"http://screener.vozaz.com/ver04/quote.html?s=A%26B%20C%2F%C3%BC",
                           "http://screener.vozaz.com/ver04/quote.html?s=S0"}));
    EXPECT_TRUE(messages.empty());
}

TEST(CommonDialog, TheInitialPathGivesFolderAndNameAndTheFlagsTheOptions)
{
    platform::SaveDialogRequest seen;
    platform::SetSaveDialogHandler([&](const platform::SaveDialogRequest &r) {
        seen = r;
        return platform::SaveDialogAnswer{"/chosen.csv", 1};
    });
    const struct {
        QString initial;
        QString folder;
        QString name;
    } cases[] = {
        {"", "", ""},
        {"C:\\data\\list.csv", "C:\\data", "list.csv"},
        {"/home/me/list.csv", "/home/me", "list.csv"},
        {"/home/me/", "/home/me", ""},
        {"list.csv", "list.csv", "list.csv"},
        {"/f/" + QString(300, 'n'), "/f", QString(254, 'n')},
    };
    for (const auto &c : cases) {
        int filterIndex = 0;
        EXPECT_EQ(mdlCommonDialog::ShowSaveDialog(nullptr, {}, "T", 2, filterIndex, c.initial),
                  "/chosen.csv");
        EXPECT_EQ(filterIndex, 1);
        EXPECT_EQ(seen.InitialFolder, c.folder) << c.initial.toStdString();
        EXPECT_EQ(seen.InitialName, c.name) << c.initial.toStdString();
        EXPECT_EQ(seen.Options, unsigned(platform::SaveDialogOption::AskBeforeOverwrite));
    }
    platform::SetSaveDialogHandler({});
}
