// The program's hot paths next to peers that do the same work, in one run, on the same data.dat
// (bench::WriteRealisticDatabase): scripts/bench peers prints each pair, its ratio and its goal.
//
//   Load/Zentrin          LoadStockDatabase of a 32,767-record data.dat
//   Load/OnePass          a straightforward one-pass loader: read the file, cut lines and
//                         fields, std::from_chars the numbers, drop repeated lines, same records
//   Load/QtSplit          the obvious Qt load: decode, QString::split, trimmed, a QSet for the
//                         repeats, split at the separator, QString::toDouble
//   Load/ReadFile         reading the same file into memory (the floor)
//   Save/Zentrin          SaveStockDatabase of the same table
//   Save/WriteSync        the same bytes written with one write() and fdatasync()
//   Pages/Parse           the import's 1,639 page files read (ReadTextFile) and cut into records
//   Pages/ReadTextFile    ReadTextFile of the same files
//   Pages/ReadFile        reading the same files into memory (the floor)
//   FillPaint/<who>/N     the first N stocks of the table put in front of the user: filled from
//                         the stock table, numbers formatted as the main window formats them,
//                         one 1000 x 600 view painted at the top, scrolled to the middle and
//                         painted again (the paints the event loop delivers, counted). <who>:
//                         Zentrin (the main window's grid, filled as the price search fills it),
//                         QTableWidget (nine items a row), RowModel (QTableView + a model holding
//                         the formatted rows), OnDemand (QTableView + a model formatting each cell
//                         from the stock table when asked)
//   Sort/<who>/N/col      sorting the filled rows by Price (2) or Industry (3), alternating the
//                         direction, without painting: Zentrin (the grid's sort of its rows),
//                         QTableWidget (sortItems), Proxy (QSortFilterProxyModel::sort over the
//                         on-demand model)
//   ClickSort/<who>/col   a header click's sort at 1,000 rows with its one paint
//   Memory/<who>          VmRSS growth of a fresh process from after QApplication and font
//                         set-up to after load + fill of 32,767 rows + one paint (counter rss_kb)

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QScrollBar>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "BenchData.h"
#include "BenchGrid.h"
#include "BenchRun.h"
#include "app/PriceText.h"
#include "app/ResultPageParser.h"
#include "app/StockColumns.h"
#include "grid/GridSort.h"
#include "grid/LynxGrid.h"
#include "platform/ControlHost.h"
#include "platform/ProgramFolder.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"

namespace {

constexpr int Records = StockTable::MaxRecords;
// The main window's columns a record fills (bench::AddMainWindowColumns builds ours from them).
constexpr int Columns = StockColumns::RecordColumns;
constexpr int PriceColumn = StockColumns::Price;
constexpr int IndustryColumn = StockColumns::Industry;
constexpr int ViewWidth = 1000;
constexpr int ViewHeight = 600;
constexpr int RowPixels = 20;

bool IsNumberColumn(int col)
{
    return col == PriceColumn || col > IndustryColumn;
}

// The folder the memory children read data.dat from.
constexpr const char *FolderVariable = "ZENTRIN_PEERS_FOLDER";

// One program folder with data.dat and the page files for the whole run.
struct Files {
    QTemporaryDir dir;
    QString database;
    QByteArray databaseBytes;
    QStringList pages;
    Files()
    {
        platform::SetProgramFolderOverride(dir.path());
        database = bench::WriteRealisticDatabase(Records);
        QFile file(database);
        file.open(QIODevice::ReadOnly);
        databaseBytes = file.readAll();
        pages = bench::WriteRealisticPageFiles(Records);
        Module1::LoadStockDatabase();
    }
};

Files &TheFiles()
{
    static Files *files = new Files;
    return *files;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// --- load --------------------------------------------------------------------------------------

void LoadZentrin(benchmark::State &state)
{
    TheFiles();
    for (auto _ : state) benchmark::DoNotOptimize(Module1::LoadStockDatabase());
    if (Stocks().Count() != Records)
        state.SkipWithError("wrong record count");
    state.SetItemsProcessed(state.iterations() * Records);
    state.SetBytesProcessed(state.iterations() * TheFiles().databaseBytes.size());
}
BENCHMARK(LoadZentrin)->Name("Load/Zentrin")->Unit(benchmark::kMillisecond);

void LoadReadFile(benchmark::State &state)
{
    const Files &files = TheFiles();
    for (auto _ : state) benchmark::DoNotOptimize(ReadAll(files.database).size());
    state.SetBytesProcessed(state.iterations() * files.databaseBytes.size());
}
BENCHMARK(LoadReadFile)->Name("Load/ReadFile")->Unit(benchmark::kMillisecond);

// The loader anyone would write first for this file: CR LF lines, fields cut at "~!@", the
// four texts decoded, the fifteen numbers read with from_chars, a line seen before skipped.
std::vector<StockRecord> OnePassLoad(const QString &path)
{
    const QByteArray bytes = ReadAll(path);
    std::vector<StockRecord> records;
    records.reserve(static_cast<std::size_t>(bytes.size() / 160 + 1));
    std::unordered_set<std::string_view> seen;
    seen.reserve(records.capacity());
    const std::string_view all(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    constexpr std::string_view Separator = "~!@";
    std::size_t from = 0;
    while (from < all.size()) {
        std::size_t to = all.find('\n', from);
        if (to == std::string_view::npos)
            to = all.size();
        std::string_view line = all.substr(from, to - from);
        from = to + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
        while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
        if (line.empty() || !seen.insert(line).second)
            continue;
        StockRecord &r = records.emplace_back();
        std::size_t at = 0;
        for (int i = 0; i < StockRecord::FieldCount; ++i) {
            std::size_t end = line.find(Separator, at);
            if (end == std::string_view::npos)
                end = line.size();
            const std::string_view field = line.substr(at, end - at);
            if (i < StockRecord::TextFieldCount)
                r.TextField(i) =
                    QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()));
            else
                std::from_chars(field.data(), field.data() + field.size(), r.NumberField(i));
            at = std::min(end + Separator.size(), line.size());
        }
    }
    return records;
}

void LoadOnePass(benchmark::State &state)
{
    const Files &files = TheFiles();
    std::size_t count = 0;
    for (auto _ : state) count = OnePassLoad(files.database).size();
    if (count != Records)
        state.SkipWithError("wrong record count");
    state.SetItemsProcessed(state.iterations() * Records);
}
BENCHMARK(LoadOnePass)->Name("Load/OnePass")->Unit(benchmark::kMillisecond);

std::vector<StockRecord> QtSplitLoad(const QString &path)
{
    QFile file(path);
    std::vector<StockRecord> records;
    if (!file.open(QIODevice::ReadOnly))
        return records;
    const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QStringLiteral("\r\n"));
    QSet<QString> seen;
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || seen.contains(line))
            continue;
        seen.insert(line);
        const QStringList fields = line.split(QStringLiteral("~!@"));
        StockRecord r;
        for (int i = 0; i < StockRecord::TextFieldCount; ++i) r.TextField(i) = fields.value(i);
        for (int i = StockRecord::TextFieldCount; i < StockRecord::FieldCount; ++i)
            r.NumberField(i) = fields.value(i).toDouble();
        records.push_back(r);
    }
    return records;
}

void LoadQtSplit(benchmark::State &state)
{
    const Files &files = TheFiles();
    std::size_t count = 0;
    for (auto _ : state) count = QtSplitLoad(files.database).size();
    if (count != Records)
        state.SkipWithError("wrong record count");
    state.SetItemsProcessed(state.iterations() * Records);
}
BENCHMARK(LoadQtSplit)->Name("Load/QtSplit")->Unit(benchmark::kMillisecond);

// The peer loader reads what ours reads.
void LoadSameRecords(benchmark::State &state)
{
    const Files &files = TheFiles();
    Module1::LoadStockDatabase();
    bool same = true;
    for (auto _ : state) {
        const std::vector<StockRecord> peer = OnePassLoad(files.database);
        same = static_cast<int>(peer.size()) == Stocks().Count();
        for (int i = 0; same && i < Stocks().Count(); ++i)
            same = peer[static_cast<std::size_t>(i)] == Stocks()[i];
    }
    if (!same)
        state.SkipWithError("the one-pass loader read other records");
}
BENCHMARK(LoadSameRecords)->Name("Check/LoadSameRecords")->Iterations(1);

// --- save --------------------------------------------------------------------------------------

void SaveZentrin(benchmark::State &state)
{
    TheFiles();
    Module1::LoadStockDatabase();
    for (auto _ : state)
        if (!Module1::SaveStockDatabase())
            state.SkipWithError("save failed");
    state.SetBytesProcessed(state.iterations() * TheFiles().databaseBytes.size());
}
BENCHMARK(SaveZentrin)->Name("Save/Zentrin")->Unit(benchmark::kMillisecond);

void SaveWriteSync(benchmark::State &state)
{
    const Files &files = TheFiles();
    const QByteArray path = QFile::encodeName(files.dir.path() + QStringLiteral("/peer.dat"));
    const QByteArray &bytes = files.databaseBytes;
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool ok =
            fd >= 0 &&
            ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size() &&
            ::fdatasync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!ok)
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(SaveWriteSync)->Name("Save/WriteSync")->Unit(benchmark::kMillisecond);

// --- page files --------------------------------------------------------------------------------

void PagesParse(benchmark::State &state)
{
    const Files &files = TheFiles();
    std::size_t records = 0;
    for (auto _ : state) {
        records = 0;
        for (const QString &path : files.pages)
            records += ResultPageRecords(MdlHelpers::ReadTextFile(path)).size();
    }
    if (records != static_cast<std::size_t>(Records))
        state.SkipWithError("wrong record count");
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(records));
}
BENCHMARK(PagesParse)->Name("Pages/Parse")->Unit(benchmark::kMillisecond);

void PagesReadTextFile(benchmark::State &state)
{
    const Files &files = TheFiles();
    qsizetype chars = 0;
    for (auto _ : state) {
        chars = 0;
        for (const QString &path : files.pages) chars += MdlHelpers::ReadTextFile(path).size();
    }
    state.SetBytesProcessed(state.iterations() * chars);
}
BENCHMARK(PagesReadTextFile)->Name("Pages/ReadTextFile")->Unit(benchmark::kMillisecond);

void PagesReadFile(benchmark::State &state)
{
    const Files &files = TheFiles();
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const QString &path : files.pages) bytes += ReadAll(path).size();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(PagesReadFile)->Name("Pages/ReadFile")->Unit(benchmark::kMillisecond);

// --- the grid and its peers --------------------------------------------------------------------

// The stock table the fills read: loaded by TheFiles(), or by a memory child itself.
const StockTable &Table()
{
    return Stocks();
}

// A number as the main window shows it.
QString Amount(double value)
{
    static const QString separator = QLocale().decimalPoint();
    return PriceText::FormatAmount(value, separator);
}

// The texts the main window shows for column col (1..8) of a stock; the symbol is column 0.
QString CellTextOf(const StockRecord &r, int col)
{
    switch (col) {
        case 0:
            return r.Symbol;
        case 1:
            return r.Company;
        case 2:
            return Amount(r.Price);
        case 3:
            return r.Industry;
        case 4:
            return Amount(r.MarketCap / 1000000);
        case 5:
            return Amount(r.Beta);
        case 6:
            return Amount(r.PE);
        case 7:
            return Amount(r.PB);
        default:
            return Amount(r.PS);
    }
}

double NumberOf(const StockRecord &r, int col)
{
    switch (col) {
        case 2:
            return r.Price;
        case 4:
            return r.MarketCap / 1000000;
        case 5:
            return r.Beta;
        case 6:
            return r.PE;
        case 7:
            return r.PB;
        default:
            return r.PS;
    }
}

QVariant Alignment(int col)
{
    return QVariant::fromValue(
        Qt::Alignment((IsNumberColumn(col) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
}

// Counts the paints a widget is given. Every view is drawn as the user would see it: by the
// event loop delivering the paint its change asked for, into the window's backing store.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget &widget) { widget.installEventFilter(this); }
    int Paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }
};

// Delivers what is pending: a view's delayed layout (a zero timer), then the paints asked for,
// the ones the layout asks for included.
void Present()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

// The main window's grid: hosted and read in like the main window's, its nine columns.
class OurGrid : public LynxGrid {
public:
    OurGrid()
    {
        bench::StartLikeTheMainWindow(*this, host);
        bench::AddMainWindowColumns(*this);
        show();
    }
    // The price search's refill (frmMain::LoadDataToGrid) of the first `rows` stocks.
    void Fill(int rows)
    {
        const StockTable &table = Table();
        Clear();
        SetRedraw(false);
        const auto amounts = StockColumns::AmountFormat(QLocale().decimalPoint());
        for (int k = 0; k < rows; ++k) {
            const StockRecord &r = table[k];
            StockColumns::FillRecordCells(*this, AddItem(r.Symbol), r, amounts);
        }
        SetRedraw(true);
    }
    void ScrollToRow(int row) { SetTopRow(row); }
    int TopRow() const { return Layout().TopRow(); }
    // Sort as the host calls it, all but its paint.
    void SortWithoutPaint(int col)
    {
        skipPaint = true;
        Sort(col);
        skipPaint = false;
    }

protected:
    void PaintGrid() override
    {
        if (!skipPaint)
            LynxGrid::PaintGrid();
    }

private:
    platform::ControlHost host;
    bool skipPaint = false;
};

template <class View>
void SetUpView(View &view)
{
    view.resize(ViewWidth, ViewHeight);
    view.verticalHeader()->hide();  // the grid has no row header
    view.verticalHeader()->setDefaultSectionSize(RowPixels);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void SizeColumns(QTableView &view)
{
    const auto columns = StockColumns::RecordOnly();
    for (int c = 0; c < Columns; ++c)
        view.horizontalHeader()->resizeSection(c, static_cast<int>(columns[c].Width));
}

// A QTableWidget item of a number column sorts by the number it shows.
class NumberItem : public QTableWidgetItem {
public:
    NumberItem(const QString &text, double value)
        : QTableWidgetItem(text, QTableWidgetItem::UserType), value(value)
    {
    }
    bool operator<(const QTableWidgetItem &other) const override
    {
        return value < static_cast<const NumberItem &>(other).value;
    }

private:
    double value;
};

class PeerTable : public QTableWidget {
public:
    PeerTable()
    {
        SetUpView(*this);
        setColumnCount(Columns);
        const auto columns = StockColumns::RecordOnly();
        QStringList captions;
        for (const StockColumns::Column &c : columns) captions << c.Caption;
        setHorizontalHeaderLabels(captions);
        SizeColumns(*this);
        show();
    }
    void Fill(int rows)
    {
        const StockTable &table = Table();
        setRowCount(rows);
        for (int k = 0; k < rows; ++k) {
            const StockRecord &r = table[k];
            for (int c = 0; c < Columns; ++c) {
                QTableWidgetItem *item = IsNumberColumn(c)
                                             ? new NumberItem(CellTextOf(r, c), NumberOf(r, c))
                                             : new QTableWidgetItem(CellTextOf(r, c));
                if (IsNumberColumn(c))
                    item->setTextAlignment(Alignment(c).value<Qt::Alignment>());
                setItem(k, c, item);
            }
        }
    }
    void Empty() { setRowCount(0); }
    // The layout at once rather than at its zero timer, then the paint: one paint a change, the
    // peer at its best.
    void Settle()
    {
        executeDelayedItemsLayout();
        Present();
    }
};

// The columns' captions, shared by the models.
QVariant Caption(int section, Qt::Orientation orientation, int role)
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < Columns)
        return QString::fromLatin1(StockColumns::RecordOnly()[section].Caption);
    return {};
}

// Holds the formatted rows, made at fill.
class RowModel : public QAbstractTableModel {
public:
    void Fill(int rows)
    {
        const StockTable &table = Table();
        beginResetModel();
        texts.clear();
        texts.reserve(static_cast<std::size_t>(rows));
        for (int k = 0; k < rows; ++k) {
            std::array<QString, Columns> &row = texts.emplace_back();
            for (int c = 0; c < Columns; ++c)
                row[static_cast<std::size_t>(c)] = CellTextOf(table[k], c);
        }
        endResetModel();
    }
    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(texts.size());
    }
    int columnCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : Columns;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole)
            return texts[static_cast<std::size_t>(index.row())]
                        [static_cast<std::size_t>(index.column())];
        if (role == Qt::TextAlignmentRole)
            return Alignment(index.column());
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        return Caption(section, orientation, role);
    }

private:
    std::vector<std::array<QString, Columns>> texts;
};

// Formats each cell from the stock table when the view asks; sorts on the values (SortRole).
class OnDemandModel : public QAbstractTableModel {
public:
    static constexpr int SortRole = Qt::UserRole;
    void Fill(int rows)
    {
        const StockTable &table = Table();
        beginResetModel();
        shown.clear();
        shown.reserve(static_cast<std::size_t>(rows));
        for (int k = 0; k < rows; ++k) shown.push_back(&table[k]);
        endResetModel();
    }
    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(shown.size());
    }
    int columnCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : Columns;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        const StockRecord &r = *shown[static_cast<std::size_t>(index.row())];
        const int col = index.column();
        if (role == Qt::DisplayRole)
            return CellTextOf(r, col);
        if (role == Qt::TextAlignmentRole)
            return Alignment(col);
        if (role == SortRole)
            return IsNumberColumn(col) ? QVariant(NumberOf(r, col)) : QVariant(CellTextOf(r, col));
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        return Caption(section, orientation, role);
    }

private:
    std::vector<const StockRecord *> shown;
};

template <class Model>
class ModelView : public QTableView {
public:
    explicit ModelView(bool sorted = false)
    {
        SetUpView(*this);
        if (sorted) {
            proxy.setSortRole(OnDemandModel::SortRole);
            proxy.setSourceModel(&model);
            setModel(&proxy);
        } else {
            setModel(&model);
        }
        SizeColumns(*this);
        show();
    }
    void Fill(int rows) { model.Fill(rows); }
    void Empty() { model.Fill(0); }
    // The layout at once rather than at its zero timer, then the paint: one paint a change, the
    // peer at its best.
    void Settle()
    {
        executeDelayedItemsLayout();
        Present();
    }
    Model model;
    QSortFilterProxyModel proxy;
};
using RowModelView = ModelView<RowModel>;
using OnDemandView = ModelView<OnDemandModel>;

// Both paints of fill+paint: the top of the list, then its middle. Returns the paints, 0 when
// either is missing.
template <class Peer>
int PeerFillPaint(Peer &peer, int rows, PaintCount &count)
{
    const int before = count.Paints;
    peer.Fill(rows);
    peer.Settle();
    const int top = count.Paints;
    peer.verticalScrollBar()->setValue(rows / 2);
    peer.Settle();
    return peer.verticalScrollBar()->value() == rows / 2 && top > before && count.Paints > top
               ? count.Paints - before
               : 0;
}

template <class Peer>
void FillPaintPeer(benchmark::State &state)
{
    const int rows = static_cast<int>(state.range(0));
    TheFiles();
    Peer peer;
    PaintCount count(*peer.viewport());
    bool shown = true;
    long painted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        peer.Empty();
        peer.scrollToTop();
        Present();
        state.ResumeTiming();
        const int paints = PeerFillPaint(peer, rows, count);
        shown &= paints > 0;
        painted += paints;
    }
    if (!shown)
        state.SkipWithError("the view did not paint the top and the middle");
    state.counters["paints"] = static_cast<double>(painted) / state.iterations();
    state.SetItemsProcessed(state.iterations() * rows);
}

int OurFillPaint(OurGrid &grid, int rows, PaintCount &count)
{
    const int before = count.Paints;
    grid.Fill(rows);
    Present();
    const int top = count.Paints;
    grid.ScrollToRow(rows / 2);
    Present();
    return grid.TopRow() == rows / 2 && top > before && count.Paints > top ? count.Paints - before
                                                                           : 0;
}

void FillPaintZentrin(benchmark::State &state)
{
    const int rows = static_cast<int>(state.range(0));
    TheFiles();
    OurGrid grid;
    PaintCount count(grid);
    bool shown = true;
    long painted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        grid.Clear();
        Present();
        state.ResumeTiming();
        const int paints = OurFillPaint(grid, rows, count);
        shown &= paints > 0;
        painted += paints;
    }
    if (!shown)
        state.SkipWithError("the grid did not paint the top and the middle");
    state.counters["paints"] = static_cast<double>(painted) / state.iterations();
    state.SetItemsProcessed(state.iterations() * rows);
}

void Sizes(benchmark::internal::Benchmark *b)
{
    // Qt may paint on other threads: every painting benchmark counts the process's CPU time.
    b->Arg(1024)->Arg(8192)->Arg(Records)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
}
BENCHMARK(FillPaintZentrin)->Name("FillPaint/Zentrin")->Apply(Sizes);
BENCHMARK(FillPaintPeer<PeerTable>)->Name("FillPaint/QTableWidget")->Apply(Sizes);
BENCHMARK(FillPaintPeer<RowModelView>)->Name("FillPaint/RowModel")->Apply(Sizes);
BENCHMARK(FillPaintPeer<OnDemandView>)->Name("FillPaint/OnDemand")->Apply(Sizes);

// --- sorting -----------------------------------------------------------------------------------

void SortCases(benchmark::internal::Benchmark *b)
{
    for (const int rows : {1024, 8192, Records})
        for (const int col : {PriceColumn, IndustryColumn}) b->Args({rows, col});
    b->Unit(benchmark::kMillisecond);
}

void SortZentrin(benchmark::State &state)
{
    TheFiles();
    const int rows = static_cast<int>(state.range(0));
    const int col = static_cast<int>(state.range(1));
    OurGrid grid;
    grid.Fill(rows);
    for (auto _ : state) grid.SortWithoutPaint(col);
}
BENCHMARK(SortZentrin)->Name("Sort/Zentrin")->Apply(SortCases);

void SortQTableWidget(benchmark::State &state)
{
    TheFiles();
    const int rows = static_cast<int>(state.range(0));
    const int col = static_cast<int>(state.range(1));
    PeerTable table;
    table.Fill(rows);
    bool ascending = true;
    for (auto _ : state) {
        table.sortItems(col, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
    }
}
BENCHMARK(SortQTableWidget)->Name("Sort/QTableWidget")->Apply(SortCases);

void SortProxy(benchmark::State &state)
{
    TheFiles();
    const int rows = static_cast<int>(state.range(0));
    const int col = static_cast<int>(state.range(1));
    OnDemandModel model;
    model.Fill(rows);
    QSortFilterProxyModel proxy;
    proxy.setSortRole(OnDemandModel::SortRole);
    proxy.setSourceModel(&model);
    bool ascending = true;
    for (auto _ : state) {
        proxy.sort(col, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
    }
}
BENCHMARK(SortProxy)->Name("Sort/Proxy")->Apply(SortCases);

// A header click's sort at 1,000 rows, painted once, as the user sees it.
constexpr int ClickRows = 1000;

void ClickCases(benchmark::internal::Benchmark *b)
{
    b->Arg(PriceColumn)
        ->Arg(IndustryColumn)
        ->Unit(benchmark::kMicrosecond)
        ->MeasureProcessCPUTime();
}

void ClickSortZentrin(benchmark::State &state)
{
    TheFiles();
    const int col = static_cast<int>(state.range(0));
    OurGrid grid;
    grid.Fill(ClickRows);
    Present();
    PaintCount count(grid);
    for (auto _ : state) {
        grid.Sort(col, -1);
        Present();
    }
    if (count.Paints < state.iterations())
        state.SkipWithError("a sort was not painted");
    state.counters["paints"] = static_cast<double>(count.Paints) / state.iterations();
}
BENCHMARK(ClickSortZentrin)->Name("ClickSort/Zentrin")->Apply(ClickCases);

template <class Peer>
void ClickSortPeer(benchmark::State &state)
{
    TheFiles();
    const int col = static_cast<int>(state.range(0));
    Peer peer;
    peer.Fill(ClickRows);
    peer.setSortingEnabled(true);
    Present();
    PaintCount count(*peer.viewport());
    bool ascending = true;
    for (auto _ : state) {
        peer.sortByColumn(col, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        peer.Settle();
        ascending = !ascending;
    }
    if (count.Paints < state.iterations())
        state.SkipWithError("a sort was not painted");
    state.counters["paints"] = static_cast<double>(count.Paints) / state.iterations();
}
class SortedOnDemandView : public OnDemandView {
public:
    SortedOnDemandView() : OnDemandView(true) {}
};
BENCHMARK(ClickSortPeer<PeerTable>)->Name("ClickSort/QTableWidget")->Apply(ClickCases);
BENCHMARK(ClickSortPeer<SortedOnDemandView>)->Name("ClickSort/Proxy")->Apply(ClickCases);

// --- memory ------------------------------------------------------------------------------------

long ResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// In a fresh process: the growth from after QApplication and the fonts to after the load of
// data.dat, the fill of all its stocks and one paint. Prints it in kilobytes.
int MemoryChild(const QString &who)
{
    platform::SetProgramFolderOverride(qEnvironmentVariable(FolderVariable));
    // The fonts and glyphs every peer draws with.
    QImage picture(ViewWidth, ViewHeight, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.setFont(QApplication::font());
        p.drawText(10, 20,
                   QStringLiteral("Symbol Company 0123456789.,- Acme Mining & Exploration"));
        QFont bold = QApplication::font();
        bold.setBold(true);
        p.setFont(bold);
        p.drawText(10, 40, QStringLiteral("Symbol Company Price Industry Market Cap"));
    }
    const long before = ResidentKilobytes();
    Module1::LoadStockDatabase();
    const int rows = Stocks().Count();
    std::unique_ptr<QWidget> shown;
    if (who == QLatin1String("Zentrin")) {
        auto grid = std::make_unique<OurGrid>();
        grid->Fill(rows);
        shown = std::move(grid);
    } else if (who == QLatin1String("QTableWidget")) {
        auto table = std::make_unique<PeerTable>();
        table->Fill(rows);
        shown = std::move(table);
    } else if (who == QLatin1String("RowModel")) {
        auto view = std::make_unique<RowModelView>();
        view->Fill(rows);
        shown = std::move(view);
    } else if (who == QLatin1String("OnDemand")) {
        auto view = std::make_unique<OnDemandView>();
        view->Fill(rows);
        shown = std::move(view);
    } else {
        return 2;
    }
    Present();
    const long after = ResidentKilobytes();
    if (rows != Records || before < 0 || after < 0)
        return 3;
    std::printf("%ld\n", after - before);
    return 0;
}

template <const char *Who>
void Memory(benchmark::State &state)
{
    const Files &files = TheFiles();
    long kilobytes = -1;
    for (auto _ : state) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(FolderVariable), files.dir.path());
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--memory-child=") + QString::fromLatin1(Who)});
        if (!child.waitForFinished(120000) || child.exitCode() != 0) {
            state.SkipWithError("the measuring process failed");
            return;
        }
        kilobytes = child.readAllStandardOutput().trimmed().toLong();
    }
    state.counters["rss_kb"] = static_cast<double>(kilobytes);
}
constexpr char Zentrin[] = "Zentrin";
constexpr char TableWidget[] = "QTableWidget";
constexpr char RowModelName[] = "RowModel";
constexpr char OnDemandName[] = "OnDemand";
BENCHMARK(Memory<Zentrin>)->Name("Memory/Zentrin")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Memory<TableWidget>)
    ->Name("Memory/QTableWidget")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Memory<RowModelName>)
    ->Name("Memory/RowModel")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Memory<OnDemandName>)
    ->Name("Memory/OnDemand")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

// Every benchmark runs inside a QApplication on the offscreen platform, as the tests do. Run
// with --memory-child=<who>, the program is one of the fresh processes of Memory/<who>.
int main(int argc, char **argv)
{
    bench::ChooseOffscreenPlatform();
    QApplication app(argc, argv);
    constexpr std::string_view Child = "--memory-child=";
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).starts_with(Child))
            return MemoryChild(QString::fromUtf8(argv[i] + Child.size()));
    return bench::RunBenchmarks(argc, argv);
}
