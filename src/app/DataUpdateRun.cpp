#include "app/DataUpdateRun.h"

#include <QDir>
#include <QLabel>
#include <vector>

#include "app/AppTitle.h"
#include "app/PageFetcher.h"
#include "app/ResultPageParser.h"
#include "app/ScreenerAddress.h"
#include "platform/CursorPosition.h"
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
    if (outcome == UpdateOutcome::Completed)
        Module1::WriteTimeStamp();
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
    if (!ReadTotal(firstPage, total)) {
        Tell(QStringLiteral("The stock data could not be downloaded: the stock screener did not "
                            "answer with its list of stocks.") +
                 CrLf + QStringLiteral("Please check your internet connection and try again.") +
                 CrLf + Unchanged,
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

    int failed = 0;
    for (int n = 0; n <= pages; ++n) {
        bool ok = false;
        const QString text =
            FetchWithRetry(ScreenerAddress::ResultPageAddress(n * RowsPerPage + 1), ok);
        if (stopRequested)
            return UpdateOutcome::Stopped;
        if (!MdlHelpers::WriteTextFile(PageFile(n), text, false))
            ok = false;
        failed += ok ? 0 : 1;
        controls.downloadBar->SetValue(std::min(n, controls.downloadBar->Max()));
    }

    if (failed > 0) {
        const auto answer = platform::ShowMessage(
            {QStringLiteral("%1 of %2 pages of the stock list could not be downloaded.")
                     .arg(failed)
                     .arg(pages + 1) +
                 CrLf + QStringLiteral("Would you like to import the incomplete list anyway?"),
             AppTitle(), platform::MessageButtons::YesNo, platform::MessageIcon::Question});
        if (answer == platform::MessageAnswer::No)
            return UpdateOutcome::Declined;
    }

    const UpdateOutcome imported = ImportPageFiles();
    if (imported != UpdateOutcome::Completed)
        return imported;

    ResetControls();
    Tell(QStringLiteral("Data downloaded and imported into application."),
         platform::MessageIcon::Information);
    return UpdateOutcome::Completed;
}

UpdateOutcome DataUpdateRun::ImportPageFiles()
{
    const int files = MdlHelpers::CountFiles(TempFolder(), QStringLiteral("*.dat"));
    controls.importBar->SetValue(0);
    controls.importBar->SetMax(std::max(files, 1));
    SetStatus(QStringLiteral("Importing Data..."));

    // The parser fills the program's table in place; keep the old records to put back when
    // the run cannot finish.
    StockTable &table = Stocks();
    const std::vector<StockRecord> previous(table.begin(), table.end());
    int k = 0;
    int leftOut = 0;
    for (int f = 0; f < files; ++f) {
        k = ParseResultPage(MdlHelpers::ReadTextFile(PageFile(f)), k, &leftOut);
        controls.importBar->SetValue(std::min(f, controls.importBar->Max()));
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
    return UpdateOutcome::Completed;
}

bool DataUpdateRun::ReadTotal(const QString &firstPage, int &total) const
{
    QString text = MdlHelpers::TextBetween(TotalStartMarker, TotalEndMarker, firstPage);
    // The screener groups thousands ("5,432"); read as written that would be 5.
    text.remove(QLatin1Char(','));
    const QStringView digits = MdlHelpers::TrimSpaces(text);
    if (digits.isEmpty() || !(digits[0].isDigit() || digits[0] == QLatin1Char('+'))) {
        // A list shorter than a page says "Showing 1 to 8 of 8": the one page is all there is.
        // Without the result table the screener did not answer with its list at all.
        total = 0;
        return HasResultTable(firstPage);
    }
    const double value = platform::RoundHalfEven(MdlHelpers::ParseLeadingNumber(text));
    total = value > StockTable::MaxRecords ? StockTable::MaxRecords + 1 : static_cast<int>(value);
    return true;
}

QString DataUpdateRun::FetchWithRetry(const QString &address, bool &ok)
{
    // A failed page gets one more try before it counts as missing.
    QString text;
    for (int attempt = 0; attempt < 2 && !stopRequested; ++attempt) {
        text = controls.fetcher->FetchPage(address);
        ok = controls.fetcher->LastLoadCompleted() && HasResultTable(text);
        if (ok)
            break;
    }
    return text;
}

void DataUpdateRun::ResetControls()
{
    SetStatus(QString());
    controls.downloadBar->SetValue(0);
    controls.importBar->SetValue(0);
}

void DataUpdateRun::SetStatus(const QString &text)
{
    if (controls.statusLabel)
        controls.statusLabel->setText(text);
}
