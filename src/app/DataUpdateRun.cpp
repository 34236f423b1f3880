#include "app/DataUpdateRun.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <vector>

#include "app/CatchUpPass.h"
#include "app/ChangesFile.h"
#include "app/ListCompleteness.h"
#include "app/PageFetcher.h"
#include "app/ResultPageParser.h"
#include "app/ScreenerAddress.h"
#include "history/PriceHistory.h"
#include "platform/Clock.h"
#include "platform/HtmlEntities.h"
#include "platform/ProgramFolder.h"
#include "platform/Rounding.h"
#include "store/DataFolderLock.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"

const QString DataUpdateRun::TotalStartMarker = QStringLiteral("Showing 1 to 20 of");
const QString DataUpdateRun::TotalEndMarker = QStringLiteral(")</FONT></TD>");

namespace {

using MdlHelpers::CrLf;

const QString Unchanged = QStringLiteral("Your stock data has not been changed.");

QString TempFolder()
{
    return MdlHelpers::AppFile(QStringLiteral("temp")) + QLatin1Char('/');
}
QString PageFile(int n)
{
    return TempFolder() + QString::number(n) + QStringLiteral(".dat");
}

// Clears the running flag however the run ends.
class RunningGuard {
public:
    explicit RunningGuard(bool &flag) : flag(flag) { flag = true; }
    ~RunningGuard() { flag = false; }
    RunningGuard(const RunningGuard &) = delete;
    RunningGuard &operator=(const RunningGuard &) = delete;

private:
    bool &flag;
};

}  // namespace

DataUpdateRun::DataUpdateRun(PageFetcher &fetcher, UpdateRunObserver &observer)
    : fetcher(fetcher), observer(observer), folderLock(std::make_unique<DataFolderLock>())
{
}

DataUpdateRun::~DataUpdateRun() = default;

void DataUpdateRun::Tell(const QString &text, UpdateMessageKind kind)
{
    observer.Tell(text, kind);
}

template <typename Work>
UpdateOutcome DataUpdateRun::HoldingTheFolder(Work &&work)
{
    // The outermost entry point takes the lock and gives it back; the ones it calls find it held.
    if (folderLock->IsLocked())
        return work();
    switch (folderLock->TryLock()) {
        case DataFolderLock::Result::Locked:
            break;
        case DataFolderLock::Result::HeldByOther:
            Tell(QStringLiteral("Another Zentrin is updating the stock data in %1 right now.")
                         .arg(QDir::toNativeSeparators(platform::ProgramFolder())) +
                     CrLf + QStringLiteral("Please try again when it has finished.") + CrLf +
                     Unchanged,
                 UpdateMessageKind::Warning);
            return UpdateOutcome::FolderInUse;
        case DataFolderLock::Result::Unavailable:
            Tell(QStringLiteral("The stock data cannot be saved: no file can be written in %1.")
                         .arg(QDir::toNativeSeparators(platform::ProgramFolder())) +
                     CrLf + Unchanged,
                 UpdateMessageKind::Critical);
            return UpdateOutcome::SaveFailed;
    }
    struct Release {
        DataFolderLock &lock;
        ~Release() { lock.Unlock(); }
    } release{*folderLock};
    return work();
}

UpdateOutcome DataUpdateRun::UpdateDataAction()
{
    if (running)
        return UpdateOutcome::AlreadyRunning;
    return HoldingTheFolder([this] {
        const UpdateOutcome outcome = GetStockDataFromYahoo();
        // A run that replaced nothing leaves the previous time stamp: it still tells the truth.
        if (outcome == UpdateOutcome::Completed && !timeStampSaved)
            Tell(QStringLiteral("The stock data was updated, but the time of this update could "
                                "not be saved to %1.")
                     .arg(QDir::toNativeSeparators(Module1::TimeStampPath())),
                 UpdateMessageKind::Warning);
        return outcome;
    });
}

void DataUpdateRun::Stop()
{
    if (running) {
        stopRequested = true;
        fetcher.Cancel();
    }
}

UpdateOutcome DataUpdateRun::GetStockDataFromYahoo()
{
    if (running)
        return UpdateOutcome::AlreadyRunning;
    return HoldingTheFolder([this] {
        RunningGuard guard(running);
        stopRequested = false;
        const UpdateOutcome outcome = Run();
        expectedStocks = 0;
        observer.Idle(lastChanges);
        return outcome;
    });
}

UpdateOutcome DataUpdateRun::Run()
{
    QDir().mkpath(TempFolder());
    MdlHelpers::DeleteFiles(TempFolder(), QStringLiteral("*.dat"));

    bool firstOk = false;
    const QString firstPage = FetchWithRetry(ScreenerAddress::ResultPageAddress(1), firstOk);
    if (stopRequested)
        return UpdateOutcome::Stopped;
    int total = 0;
    if (!firstOk || !ReadTotal(firstPage, total)) {
        QString advice = QStringLiteral("Please check your internet connection and try again.");
        if (fetcher.LastPageTooLarge()) {
            advice = TooLarge(0) + QLatin1Char('.');
            advice[0] = advice[0].toUpper();
        }
        Tell(QStringLiteral("The stock data could not be downloaded: the stock screener did not "
                            "answer with its list of stocks.") +
                 CrLf + advice + CrLf + Unchanged,
             UpdateMessageKind::Warning);
        return UpdateOutcome::NotDownloaded;
    }
    if (total > StockTable::MaxRecords) {
        Tell(QStringLiteral("The stock screener lists %1 stocks, more than the %2 this program "
                            "can hold.")
                     .arg(total)
                     .arg(StockTable::MaxRecords) +
                 CrLf + Unchanged,
             UpdateMessageKind::Warning);
        return UpdateOutcome::TooManyStocks;
    }

    // total <= 32,767 keeps every page number and row number within 16 bits.
    const int pages = static_cast<int>(platform::RoundHalfEven(total / double(RowsPerPage)));
    expectedStocks = total;
    UpdateProgress progress{UpdatePhase::Downloading, 0, pages + 1, 0, total, 0};
    observer.Progress(progress);

    platform::Clock &clock = platform::CurrentClock();
    const uint32_t started = clock.TickCount();
    std::vector<int> saved;
    ListCompleteness list(total);
    IncompleteDownload incomplete;
    incomplete.Pages = pages + 1;
    incomplete.FailuresBeforeGivingUp = FailuresBeforeGivingUp;
    incomplete.TempFolder = QDir::toNativeSeparators(TempFolder());
    int failedInARow = 0;
    int n = 0;
    for (; n <= pages && failedInARow < FailuresBeforeGivingUp; ++n) {
        bool ok = false;
        const QString text =
            FetchWithRetry(ScreenerAddress::ResultPageAddress(n * RowsPerPage + 1), ok);
        if (stopRequested)
            return UpdateOutcome::Stopped;
        failedInARow = ok ? 0 : failedInARow + 1;
        if (MdlHelpers::WriteTextFile(PageFile(n), text, false)) {
            saved.push_back(n);
            if (ok)
                list.AddPage(ResultPageRecords(text, StockTable::MaxRecords));
        } else if (ok) {
            incomplete.Unsaved.push_back(n);
        }
        if (!ok)
            incomplete.Failed.push_back(n);
        if (fetcher.LastPageTooLarge())
            incomplete.TooLarge.push_back(n);
        progress.Done = n + 1;
        progress.ElapsedMs = platform::TicksSince(started, clock.TickCount());
        observer.Progress(progress);
    }
    for (; n <= pages; ++n) incomplete.NotTried.push_back(n);

    // The stocks a moving list pushed past the last page are on the pages after it.
    if (incomplete.NotTried.empty()) {
        CatchUpPass::Run(list, pages + 1, pages + 1, MaxPageNumber,
                         [&](int page, int index, int count) {
                             return FetchCatchUpPage(page, index, count, saved);
                         });
        if (stopRequested)
            return UpdateOutcome::Stopped;
    }
    // Stocks missing from whole pages: the list changed, unless failed pages explain it.
    const bool pagesFailed =
        !incomplete.Failed.empty() || !incomplete.NotTried.empty() || !incomplete.Unsaved.empty();
    if (list.Missing() > 0 && (list.Repeated() > 0 || !pagesFailed))
        incomplete.StocksMissing = list.MissingText();
    if (pagesFailed || !incomplete.StocksMissing.isEmpty()) {
        if (!observer.ImportIncomplete(incomplete))
            return UpdateOutcome::Declined;
    }

    const UpdateOutcome imported = Import(saved, pages + 1);
    if (imported != UpdateOutcome::Completed)
        return imported;

    observer.Idle(lastChanges);
    Tell(QStringLiteral("Data downloaded and imported into application."),
         UpdateMessageKind::Information);
    return UpdateOutcome::Completed;
}

QString DataUpdateRun::IncompleteDownloadText(const IncompleteDownload &download)
{
    QStringList lines;
    const int missing = static_cast<int>(download.Failed.size() + download.NotTried.size());
    if (missing > 0) {
        QString line = QStringLiteral("%1 of %2 pages of the stock list could not be downloaded")
                           .arg(missing)
                           .arg(download.Pages);
        for (size_t i = 0; i < download.TooLarge.size(); ++i)
            line += (i == 0 ? QStringLiteral(": ") : QStringLiteral(", ")) +
                    TooLarge(download.TooLarge[i]);
        lines << line + QLatin1Char('.');
    }
    if (!download.NotTried.empty())
        lines << QStringLiteral(
                     "The stock screener stopped answering: %1 pages in a row failed, "
                     "so the last %2 pages were not tried.")
                     .arg(download.FailuresBeforeGivingUp)
                     .arg(download.NotTried.size());
    if (!download.Unsaved.empty())
        lines << QStringLiteral("%1 of %2 downloaded pages could not be saved to %3.")
                     .arg(download.Unsaved.size())
                     .arg(download.Pages)
                     .arg(download.TempFolder);
    if (!download.StocksMissing.isEmpty())
        lines << download.StocksMissing;
    return lines.join(CrLf);
}

QString DataUpdateRun::TooLarge(int page)
{
    // Numbered from 1, as the progress line counts the pages.
    return QStringLiteral("page %1 was larger than %2 MB")
        .arg(page + 1)
        .arg(PageFetcher::MaxPageMegabytes);
}

std::optional<std::vector<StockRecord>> DataUpdateRun::FetchCatchUpPage(int page, int index,
                                                                        int count,
                                                                        std::vector<int> &saved)
{
    // The bar and the line start again for the pages of a catch-up pass.
    UpdateProgress progress{UpdatePhase::Downloading, index, count, 0, expectedStocks, 0};
    observer.Progress(progress);
    bool ok = false;
    const QString text =
        FetchWithRetry(ScreenerAddress::ResultPageAddress(page * RowsPerPage + 1), ok);
    if (stopRequested || !ok || !MdlHelpers::WriteTextFile(PageFile(page), text, false))
        return std::nullopt;
    saved.push_back(page);
    progress.Done = index + 1;
    observer.Progress(progress);
    return ResultPageRecords(text, StockTable::MaxRecords);
}

UpdateOutcome DataUpdateRun::ImportPageFiles()
{
    // By the numbers in the names, not by counting: a number that is missing takes no other
    // page with it. Listed under the lock: another Zentrin's run rewrites the folder.
    return HoldingTheFolder(
        [this] { return Import(NumberedPageFiles(), std::numeric_limits<int>::max()); });
}

UpdateOutcome DataUpdateRun::ImportPageFiles(const std::vector<int> &pages, int catchUpFrom)
{
    return HoldingTheFolder([&] { return Import(pages, catchUpFrom); });
}

std::vector<int> DataUpdateRun::NumberedPageFiles()
{
    std::vector<int> pages;
    const QStringList names = QDir(TempFolder()).entryList({QStringLiteral("*.dat")}, QDir::Files);
    for (const QString &name : names) {
        bool number = false;
        const int page = name.chopped(4).toInt(&number);
        if (number && page >= 0 && PageFile(page) == TempFolder() + name)
            pages.push_back(page);
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

UpdateOutcome DataUpdateRun::Import(const std::vector<int> &pages, int catchUpFrom)
{
    const int files = static_cast<int>(pages.size());
    // A run knows the screener's total; the import on its own only that pages hold 20 at most.
    const int expected = expectedStocks > 0 ? expectedStocks : files * RowsPerPage;
    UpdateProgress progress{UpdatePhase::Importing, 0, files, 0, expected, 0};
    observer.Progress(progress);
    platform::Clock &clock = platform::CurrentClock();
    const uint32_t started = clock.TickCount();

    // The parser fills the program's table in place; keep the old records to put back when
    // the run cannot finish.
    StockTable &table = Stocks();
    const std::vector<StockRecord> previous(table.begin(), table.end());
    // When the history has yet to begin, the data replaced here is its first snapshot, dated
    // as the stamp this run is about to overwrite.
    const QDateTime previousTime = history::DataFileTime();
    int k = 0;
    int leftOut = 0;
    CatchUpPass::Merge merge;
    for (int f = 0; f < files; ++f) {
        const int page = pages[static_cast<size_t>(f)];
        const QString text = MdlHelpers::ReadTextFile(PageFile(page));
        k = page >= catchUpFrom ? merge.Page(text, k, &leftOut)
                                : ParseResultPage(text, k, &leftOut);
        progress.Done = f + 1;
        progress.Stocks = k;
        // Pages that repeat stocks (a shifting screener) may bring more than the total.
        progress.ExpectedStocks = std::max(k, expected);
        progress.ElapsedMs = platform::TicksSince(started, clock.TickCount());
        observer.Progress(progress);
    }

    if (k == 0) {
        table.Assign(previous);
        Tell(QStringLiteral("No stocks were found in the pages of the stock screener.") + CrLf +
                 Unchanged,
             UpdateMessageKind::Warning);
        return UpdateOutcome::NoStocks;
    }
    if (leftOut > 0) {
        table.Assign(previous);
        Tell(QStringLiteral("The downloaded pages hold %1 stocks, more than the %2 this program "
                            "can hold.")
                     .arg(k + leftOut)
                     .arg(StockTable::MaxRecords) +
                 CrLf + Unchanged,
             UpdateMessageKind::Warning);
        return UpdateOutcome::TooManyStocks;
    }
    if (!Module1::SaveStockDatabase()) {
        table.Assign(previous);
        Tell(QStringLiteral("The stock data could not be saved to %1.")
                     .arg(QDir::toNativeSeparators(Module1::DatabasePath())) +
                 CrLf + Unchanged,
             UpdateMessageKind::Critical);
        return UpdateOutcome::SaveFailed;
    }
    Module1::LoadStockDatabase();
    // Right away: a time stamp that waits for the user's OK is lost with a kill in between.
    timeStampSaved = Module1::WriteTimeStamp();
    RecordChanges(previous, files);
    // The history never fails an update: what it could not do is one line for the user.
    const history::HistoryResult kept =
        history::RecordUpdate(previous, previousTime, std::span(table.begin(), table.end()), files);
    if (!kept.message.isEmpty())
        Tell(kept.message, UpdateMessageKind::Warning);
    return UpdateOutcome::Completed;
}

void DataUpdateRun::RecordChanges(const std::vector<StockRecord> &previous, int pages)
{
    const StockTable &table = Stocks();
    BandChanges changes = CompareTables(previous, std::span(table.begin(), table.end()));
    changes.When = Module1::TimeStampText(QDateTime::currentDateTime());
    changes.Pages = pages;
    // The new data is in place whatever happens here; a changes.txt that cannot be written only
    // means that the next start shows no summary.
    if (!ChangesFile::Write(changes))
        QFile::remove(ChangesFile::Path());
    lastChanges = std::move(changes);
}

void DataUpdateRun::SeedHistory()
{
    const StockTable &table = Stocks();
    const history::HistoryResult seeded =
        history::SeedIfEmpty(std::span(table.begin(), table.end()));
    if (seeded.ok && !seeded.message.isEmpty())
        Tell(seeded.message, UpdateMessageKind::Warning);
}

void DataUpdateRun::LoadLastChanges()
{
    lastChanges = ChangesFile::Read();
    observer.Idle(lastChanges);
}

bool DataUpdateRun::ReadTotal(const QString &firstPage, int &total) const
{
    // The number as the screener may write it: in bold, after a tab or a line break, with
    // grouped thousands ("5,432", which read as written would be 5).
    QString text = MdlHelpers::TextBetween(TotalStartMarker, TotalEndMarker, firstPage);
    text = platform::DecodeHtmlEntities(MdlHelpers::StripTags(text, QString()));
    text.remove(QLatin1Char(','));
    for (QChar &c : text)
        if (c.isSpace())
            c = QLatin1Char(' ');
    qsizetype first = 0;
    while (first < text.size() && text[first] == QLatin1Char(' ')) ++first;
    if (first < text.size() && text[first] == QLatin1Char('+'))
        ++first;
    if (first >= text.size() || !text[first].isDigit()) {
        // A list shorter than a page says "Showing 1 to 8 of 8": the one page is all there is.
        // A full page without a readable total is no such list: importing it alone would lose
        // every stock after it. Without the result table the screener did not answer at all.
        total = 0;
        return HasResultTable(firstPage) && ResultPageRecords(firstPage).size() < RowsPerPage;
    }
    const double value = platform::RoundHalfEven(MdlHelpers::ParseLeadingNumber(text));
    total = value > StockTable::MaxRecords ? StockTable::MaxRecords + 1 : static_cast<int>(value);
    return true;
}

QString DataUpdateRun::FetchWithRetry(const QString &address, bool &ok)
{
    // A failed page gets one more try before it counts as missing; a server that asks for a
    // pause before it gets one.
    QString text;
    for (int attempt = 0; attempt < 2 && !stopRequested; ++attempt) {
        if (attempt > 0)
            fetcher.WaitBeforeRetry();
        text = fetcher.FetchPage(address);
        ok = fetcher.LastLoadCompleted() && HasResultTable(text);
        // A page too large once is too large again.
        if (ok || fetcher.LastPageTooLarge())
            break;
    }
    return text;
}
