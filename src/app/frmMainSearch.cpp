// frmMain: the price search and the grid fill.
#include <QCheckBox>
#include <QLineEdit>

#include "app/AppTitle.h"
#include "app/ListStatusText.h"
#include "app/PriceText.h"
#include "app/Prompts.h"
#include "app/StockColumns.h"
#include "app/frmMain.h"
#include "grid/LynxGrid.h"
#include "platform/ControlError.h"
#include "store/StockTable.h"
#include "widgets/ButtonEx.h"

namespace {

// A box's rate, or nullopt after telling the user which box holds no number.
std::optional<double> RateOf(QLineEdit *box, const QString &name, QWidget *owner)
{
    const std::optional<double> rate = PriceText::ParseRate(box->text());
    if (!rate) {
        ShowWarning(QStringLiteral("The %1 \"%2\" is not a number.").arg(name, box->text()) +
                        QStringLiteral("\r\nPlease enter an amount such as 0.50 or 1.25."),
                    owner);
        box->setFocus();
        box->selectAll();
    }
    return rate;
}

}  // namespace

std::optional<ScreenBounds> frmMain::ReadPriceBoxes()
{
    const QString zero = QStringLiteral("0.00");
    if (ui.txtMaxRate->text().isEmpty())
        ui.txtMaxRate->setText(zero);
    if (ui.txtMinRate->text().isEmpty())
        ui.txtMinRate->setText(zero);
    const std::optional<double> min = RateOf(ui.txtMinRate, QStringLiteral("Minimum Rate"), this);
    if (!min)
        return std::nullopt;
    const std::optional<double> max = RateOf(ui.txtMaxRate, QStringLiteral("Maximum Rate"), this);
    if (!max)
        return std::nullopt;
    ScreenBounds bounds;
    bounds.PriceMin = *min;
    bounds.PriceMax = *max;
    return bounds;
}

void frmMain::SearchStocks()
{
    ReloadReplacedDatabase();
    const std::optional<ScreenBounds> bounds = ReadScreenBoxes();
    if (!bounds)
        return;
    // Released, "New only" limits nothing.
    StockScreen::SymbolSet entered;
    const bool newOnly = NewOnly();
    if (newOnly && run->LastChanges())
        for (const QString &symbol : run->LastChanges()->Entered) entered.insert(symbol);
    const HistoryFacts &facts = historyColumns.Facts();
    const auto change = [&facts](ScreenField, const StockRecord &record) {
        return PriceChangePercent(facts, record.Symbol, record.Price);
    };
    lastSearch = StockScreen::Apply(Stocks(), *bounds, newOnly ? &entered : nullptr, change);
    LoadDataToGrid();
    searched = true;
    UpdateMoreFiltersCaption();
    const std::optional<BandChanges> &changes = run->LastChanges();
    PriceSearchQuery query{bounds->PriceMin, bounds->PriceMax, newOnly, Stocks().Count(),
                           changes ? &*changes : nullptr};
    query.Screen = &*bounds;
    query.LeftOutMissing = lastSearch.LeftOutMissing;
    ui.lblListStatus->setText(ListStatusText::Text(ui.LynxGrid1->ItemCount(), query));
}

bool frmMain::NewOnly() const
{
    return ui.chkNewOnly->isChecked();
}

void frmMain::ShowListCount()
{
    ui.lblListStatus->setText(ListStatusText::Text(ui.LynxGrid1->ItemCount(), std::nullopt));
}

void frmMain::NewOnlyClicked()
{
    // The toggle changes what the list shows at once; before any search it only waits for one.
    if (searched)
        SearchStocks();
}

void frmMain::SetHistoryFacts(HistoryFacts facts)
{
    historyColumns.SetFacts(std::move(facts));
    // Worked out now, once per update, rather than by the first search after it.
    const QString separator = QLocale().decimalPoint();
    int index = 0;
    if (!historyColumns.Empty())
        for (const StockRecord &record : Stocks())
            historyColumns.For(index++, record.Symbol, record.Price, separator);
    if (searched)
        LoadDataToGrid();
}

void frmMain::LoadDataToGrid()
{
    LynxGrid &grid = *ui.LynxGrid1;
    const QString separator = QLocale().decimalPoint();
    const auto amounts = StockColumns::AmountFormat(separator);
    const bool history = !historyColumns.Empty();
    int index = -1;
    // A step the grid refuses is skipped and the fill goes on.
    platform::IgnoringControlErrors([&] { grid.Clear(); });
    platform::IgnoringControlErrors([&] { grid.SetRedraw(false); });
    for (const StockRecord &record : Stocks()) {
        ++index;
        if (!record.Show)
            continue;
        int row = -1;
        platform::IgnoringControlErrors([&] { row = grid.AddItem(record.Symbol); });
        StockColumns::FillRecordCells(grid, row, record, amounts);
        if (history) {
            const auto cell = [&](int col, const QString &text) {
                platform::IgnoringControlErrors([&] { grid.SetCellText(row, col, text); });
            };
            const HistoryColumns::Texts &texts =
                historyColumns.For(index, record.Symbol, record.Price, separator);
            if (!texts.Change.isEmpty())
                cell(StockColumns::ChangePercent, texts.Change);
            if (!texts.Since.isEmpty())
                cell(StockColumns::Since, texts.Since);
        }
    }
    platform::IgnoringControlErrors([&] { grid.SetRedraw(true); });
    ApplySortChoice();
}
