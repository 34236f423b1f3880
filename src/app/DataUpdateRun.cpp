#include "app/DataUpdateRun.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <algorithm>
#include <vector>

#include "app/AppTitle.h"
#include "app/CatchUpPass.h"
#include "app/ChangesFile.h"
#include "app/ListCompleteness.h"
#include "app/PageFetcher.h"
#include "app/ResultPageParser.h"
#include "app/ScreenerAddress.h"
#include "app/UpdateStatusText.h"
#include "platform/Clock.h"
#include "platform/CursorPosition.h"
#include "platform/HtmlEntities.h"
#include "platform/MessageBox.h"
#include "platform/Rounding.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"
#include "widgets/ucProgressBar.h"

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

void Tell(const QString &text, platform::MessageIcon icon)
{
    platform::ShowMessage({text, AppTitle(), platform::MessageButtons::Ok, icon});
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

DataUpdateRun::DataUpdateRun(const UpdateRunControls &controls) : controls(controls) {}

UpdateOutcome DataUpdateRun::UpdateDataAction()
{
    if (running)
        return UpdateOutcome::AlreadyRunning;
    const QPoint pointer = platform::CursorPosition();
    platform::SetCursorPosition(pointer + QPoint(0, 22));
    const UpdateOutcome outcome = GetStockDataFromYahoo();
    // A run that replaced nothing leaves the previous time stamp: it still tells the truth.
    if (outcome == UpdateOutcome::Completed && !timeStampSaved)
        Tell(QStringLiteral("The stock data was updated, but the time of this update could not "
                            "be saved to %1.")
                 .arg(QDir::toNativeSeparators(Module1::TimeStampPath())),
             platform::MessageIcon::Warning);
    return outcome;
}

void DataUpdateRun::Stop()
{
    if (running) {
        stopRequested = true;
        controls.fetcher->Cancel();
    }
}

UpdateOutcome DataUpdateRun::GetStockDataFromYahoo()
{
    if (running)
        return UpdateOutcome::AlreadyRunning;
    RunningGuard guard(running);
    stopRequested = false;
    const UpdateOutcome outcome = Run();
    expectedStocks = 0;
    ResetControls();
    return outcome;
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
        if (controls.fetcher->LastPageTooLarge()) {
            advice = TooLarge(1) + QLatin1Char('.');
            advice[0] = advice[0].toUpper();
        }
        Tell(QStringLiteral("The stock data could not be downloaded: the stock screener did not "
                            "answer with its list of stocks.") +
                 CrLf + advice + CrLf + Unchanged,
             platform::MessageIcon::Warning);
        return UpdateOutcome::NotDownloaded;
    }
    if (total > StockTable::MaxRecords) {
        Tell(QStringLiteral("The stock screener lists %1 stocks, more than the %2 this program "
                            "can hold.")
                     .arg(total)
                     .arg(StockTable::MaxRecords) +
                 CrLf + Unchanged,
             platform::MessageIcon::Warning);
        return UpdateOutcome::TooManyStocks;
    }

    // total <= 32,767 keeps every page number and row number within 16 bits.
    const int pages = static_cast<int>(platform::RoundHalfEven(total / double(RowsPerPage)));
    controls.downloadBar->SetValue(0);
    // The bar needs a maximum above its minimum; a single page still has one step.
    controls.downloadBar->SetMax(std::max(pages, 1));
    SetStatus(QStringLiteral("Downloading Data..."));
    expectedStocks = total;

    platform::Clock &clock = platform::CurrentClock();
    const uint32_t started = clock.TickCount();
    std::vector<int> saved;
    ListCompleteness list(total);
    std::vector<int> tooLarge;  // page numbers from 1, as the progress line shows them
    int missing = 0;
    int unsaved = 0;
    int failedInARow = 0;
    int n = 0;
    for (; n <= pages && failedInARow < FailuresBeforeGivingUp; ++n) {
        SetProgress(UpdateStatusText::Downloading(
            n + 1, pages + 1, n, platform::TicksSince(started, clock.TickCount())));
        bool ok = false;
        const QString text =
            FetchWithRetry(ScreenerAddress::ResultPageAddress(n * RowsPerPage + 1), ok);
        if (stopRequested)
            return UpdateOutcome::Stopped;
        failedInARow = ok ? 0 : failedInARow + 1;
        if (controls.fetcher->LastPageTooLarge())
            tooLarge.push_back(n + 1);
        if (MdlHelpers::WriteTextFile(PageFile(n), text, false)) {
            saved.push_back(n);
            if (ok)
                list.AddPage(ResultPageRecords(text, StockTable::MaxRecords));
        } else if (ok) {
            ++unsaved;
        }
        missing += ok ? 0 : 1;
        controls.downloadBar->SetValue(std::min(n, controls.downloadBar->Max()));
    }

    const int notTried = pages + 1 - n;
    // The stocks a moving list pushed past the last page are on the pages after it.
    if (notTried == 0) {
        CatchUpPass::Run(list, pages + 1, pages + 1, MaxPageNumber,
                         [&](int page, int index, int count) {
                             return FetchCatchUpPage(page, index, count, list.Missing(), saved);
                         });
        if (stopRequested)
            return UpdateOutcome::Stopped;
    }
    // Stocks missing from whole pages: the list changed, unless failed pages explain it.
    const bool pagesFailed = missing > 0 || unsaved > 0 || notTried > 0;
    const QString stocksMissing = list.Missing() > 0 && (list.Repeated() > 0 || !pagesFailed)
                                      ? list.MissingText()
                                      : QString();
    if ((pagesFailed || !stocksMissing.isEmpty()) &&
        !AskToImportIncomplete({pages + 1, missing, notTried, unsaved, tooLarge, stocksMissing}))
        return UpdateOutcome::Declined;

    const UpdateOutcome imported = ImportPageFiles(saved, pages + 1);
    if (imported != UpdateOutcome::Completed)
        return imported;

    ResetControls();
    Tell(QStringLiteral("Data downloaded and imported into application."),
         platform::MessageIcon::Information);
    return UpdateOutcome::Completed;
}

std::optional<std::vector<StockRecord>> DataUpdateRun::FetchCatchUpPage(int page, int index,
                                                                        int count, int missing,
                                                                        std::vector<int> &saved)
{
    SetProgress(UpdateStatusText::CatchingUp(index + 1, count, missing));
    bool ok = false;
    const QString text =
        FetchWithRetry(ScreenerAddress::ResultPageAddress(page * RowsPerPage + 1), ok);
    if (stopRequested || !ok || !MdlHelpers::WriteTextFile(PageFile(page), text, false))
        return std::nullopt;
    saved.push_back(page);
    return ResultPageRecords(text, StockTable::MaxRecords);
}

QString DataUpdateRun::TooLarge(int page)
{
    return QStringLiteral("page %1 was larger than %2 MB")
        .arg(page)
        .arg(PageFetcher::MaxPageMegabytes);
}

bool DataUpdateRun::AskToImportIncomplete(const DownloadGaps &gaps)
{
    QString text;
    if (gaps.missing + gaps.notTried > 0) {
        text += QStringLiteral("%1 of %2 pages of the stock list could not be downloaded")
                    .arg(gaps.missing + gaps.notTried)
                    .arg(gaps.pages);
        for (size_t i = 0; i < gaps.tooLarge.size(); ++i)
            text +=
                (i == 0 ? QStringLiteral(": ") : QStringLiteral(", ")) + TooLarge(gaps.tooLarge[i]);
        text += QLatin1Char('.') + CrLf;
    }
    if (gaps.notTried > 0)
        text += QStringLiteral(
                    "The stock screener stopped answering: %1 pages in a row failed, "
                    "so the last %2 pages were not tried.")
                    .arg(FailuresBeforeGivingUp)
                    .arg(gaps.notTried) +
                CrLf;
    if (gaps.unsaved > 0)
        text += QStringLiteral("%1 of %2 downloaded pages could not be saved to %3.")
                    .arg(gaps.unsaved)
                    .arg(gaps.pages)
                    .arg(QDir::toNativeSeparators(TempFolder())) +
                CrLf;
    if (!gaps.stocksMissing.isEmpty())
        text += gaps.stocksMissing + CrLf;
    text += QStringLiteral("Would you like to import the incomplete list anyway?");
    return platform::ShowMessage({text, AppTitle(), platform::MessageButtons::YesNo,
                                  platform::MessageIcon::Question}) != platform::MessageAnswer::No;
}

UpdateOutcome DataUpdateRun::ImportPageFiles()
{
    // By the numbers in the names, not by counting: a number that is missing takes no other
    // page with it.
    std::vector<int> pages;
    const QStringList names = QDir(TempFolder()).entryList({QStringLiteral("*.dat")}, QDir::Files);
    for (const QString &name : names) {
        bool number = false;
        const int page = name.chopped(4).toInt(&number);
        if (number && page >= 0 && PageFile(page) == TempFolder() + name)
            pages.push_back(page);
    }
    std::sort(pages.begin(), pages.end());
    return ImportPageFiles(pages);
}

UpdateOutcome DataUpdateRun::ImportPageFiles(const std::vector<int> &pages, int catchUpFrom)
{
    const int files = static_cast<int>(pages.size());
    controls.importBar->SetValue(0);
    controls.importBar->SetMax(std::max(files, 1));
    SetStatus(QStringLiteral("Importing Data..."));
    // A run knows the screener's total; the import on its own only that pages hold 20 at most.
    const int expected = expectedStocks > 0 ? expectedStocks : files * RowsPerPage;
    SetProgress(UpdateStatusText::Importing(0, expected));

    // The parser fills the program's table in place; keep the old records to put back when
    // the run cannot finish.
    StockTable &table = Stocks();
    const std::vector<StockRecord> previous(table.begin(), table.end());
    int k = 0;
    int leftOut = 0;
    CatchUpPass::Merge merge;
    for (int f = 0; f < files; ++f) {
        const int page = pages[static_cast<size_t>(f)];
        const QString text = MdlHelpers::ReadTextFile(PageFile(page));
        k = page >= catchUpFrom ? merge.Page(text, k, &leftOut)
                                : ParseResultPage(text, k, &leftOut);
        controls.importBar->SetValue(std::min(f, controls.importBar->Max()));
        // Pages that repeat stocks (a shifting screener) may bring more than the total.
        SetProgress(UpdateStatusText::Importing(k, std::max(k, expected)));
    }

    if (k == 0) {
        table.Assign(previous);
        Tell(QStringLiteral("No stocks were found in the pages of the stock screener.") + CrLf +
                 Unchanged,
             platform::MessageIcon::Warning);
        return UpdateOutcome::NoStocks;
    }
    if (leftOut > 0) {
        table.Assign(previous);
        Tell(QStringLiteral("The downloaded pages hold %1 stocks, more than the %2 this program "
                            "can hold.")
                     .arg(k + leftOut)
                     .arg(StockTable::MaxRecords) +
                 CrLf + Unchanged,
             platform::MessageIcon::Warning);
        return UpdateOutcome::TooManyStocks;
    }
    if (!Module1::SaveStockDatabase()) {
        table.Assign(previous);
        Tell(QStringLiteral("The stock data could not be saved to %1.")
                     .arg(QDir::toNativeSeparators(Module1::DatabasePath())) +
                 CrLf + Unchanged,
             platform::MessageIcon::Critical);
        return UpdateOutcome::SaveFailed;
    }
    Module1::LoadStockDatabase();
    // Right away: a time stamp that waits for the user's OK is lost with a kill in between.
    timeStampSaved = Module1::WriteTimeStamp();
    RecordChanges(previous, files);
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

void DataUpdateRun::LoadLastChanges()
{
    lastChanges = ChangesFile::Read();
    ResetControls();
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
            controls.fetcher->WaitBeforeRetry();
        text = controls.fetcher->FetchPage(address);
        ok = controls.fetcher->LastLoadCompleted() && HasResultTable(text);
        // A page too large once is too large again.
        if (ok || controls.fetcher->LastPageTooLarge())
            break;
    }
    return text;
}

void DataUpdateRun::ResetControls()
{
    SetStatus(QString());
    SetProgress(lastChanges ? UpdateStatusText::Summary(*lastChanges) : QString());
    controls.downloadBar->SetValue(0);
    controls.importBar->SetValue(0);
}

void DataUpdateRun::SetStatus(const QString &text)
{
    if (controls.statusLabel)
        controls.statusLabel->setText(text);
}

void DataUpdateRun::SetProgress(const QString &text)
{
    if (!controls.progressLabel || controls.progressLabel->text() == text)
        return;
    controls.progressLabel->setText(text);
    // The import pumps no events: show each step as the bars show theirs.
    controls.progressLabel->repaint();
}
