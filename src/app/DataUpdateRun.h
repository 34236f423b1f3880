#pragma once

#include <QString>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "app/BandChanges.h"
#include "app/UpdateRunObserver.h"

class DataFolderLock;
class PageFetcher;

// How a run ended. Only a completed run replaced data.dat; every other outcome left data.dat
// and time.txt as they were.
enum class UpdateOutcome {
    Completed,
    AlreadyRunning,  // a second start while a run pumps events: ignored
    NotDownloaded,   // no first page, an error page, or a full page without the total
    NoStocks,        // the pages listed no stock at all
    TooManyStocks,   // more stocks than the table's 16-bit indices can hold
    Declined,        // pages failed and the user chose not to import the incomplete list
    SaveFailed,      // data.dat could not be written; the previous file is intact
    Stopped,         // the window closed during the run
    FolderInUse,     // another Zentrin is updating the same data folder
};

// The data update: downloads every result page of the screener into temp/N.dat, cuts them into
// the stock table, saves and reloads data.dat. It shows its progress and asks its questions
// through the observer (the main window, or the headless update). Every entry point holds the
// data folder's lock while it works; when another Zentrin holds it, the run does nothing.
class DataUpdateRun {
public:
    DataUpdateRun(PageFetcher &fetcher, UpdateRunObserver &observer);
    ~DataUpdateRun();
    DataUpdateRun(const DataUpdateRun &) = delete;
    DataUpdateRun &operator=(const DataUpdateRun &) = delete;

    // The "Update Data" action: runs, and tells the user when the run completed but its time
    // stamp could not be written.
    UpdateOutcome UpdateDataAction();

    // The run itself. Reports its end through the observer. When stocks the screener counted
    // are missing because its list moved during the download, it fetches them again
    // (CatchUpPass); those still missing are reported with the failed pages, and the observer
    // decides whether to import.
    UpdateOutcome GetStockDataFromYahoo();

    // The import phase on its own: cuts the given page files temp/N.dat, in the order given,
    // into the stock table, then saves and reloads data.dat and writes time.txt. Pages from
    // catchUpFrom on add only the stocks the others lack. On failure, and when the pages hold
    // no stock, the table and data.dat are left as they were and the user is told.
    UpdateOutcome ImportPageFiles(const std::vector<int> &pages,
                                  int catchUpFrom = std::numeric_limits<int>::max());
    // The same for every numbered page file the temp folder holds, in number order.
    UpdateOutcome ImportPageFiles();

    bool IsRunning() const { return running; }

    // What the last completed update changed: from changes.txt at start (LoadLastChanges), then
    // from every run that completes, which also rewrites changes.txt. A run that does not
    // complete changes neither.
    const std::optional<BandChanges> &LastChanges() const { return lastChanges; }
    // Reads changes.txt and shows its summary; a missing or malformed file shows nothing.
    void LoadLastChanges();
    // At start, once data.dat is loaded: a data folder without a price history starts one with
    // the loaded stocks, dated by time.txt. A repaired history is told; one that cannot be
    // written is left for the next completed update, which tries again and says why.
    void SeedHistory();
    // Ends a run at the next page without touching data.dat (the window is closing, or the
    // headless update was interrupted).
    void Stop();

    // Pages the screener shows per result page, and the markers of its total.
    static constexpr int RowsPerPage = 20;
    // Pages in a row that fail their retry before the run stops asking: the connection or the
    // screener is down, and every further page would cost two time-outs.
    static constexpr int FailuresBeforeGivingUp = 3;
    // The last page whose first row number, n * 20 + 1, fits the 16-bit counters.
    static constexpr int MaxPageNumber = (32767 - 1) / RowsPerPage;
    static const QString TotalStartMarker;
    static const QString TotalEndMarker;

    // What went missing, one sentence a line (CR LF between them), without a question.
    static QString IncompleteDownloadText(const IncompleteDownload &download);

private:
    template <typename Work>
    UpdateOutcome HoldingTheFolder(Work &&work);
    UpdateOutcome Run();
    UpdateOutcome Import(const std::vector<int> &pages, int catchUpFrom);
    static std::vector<int> NumberedPageFiles();
    bool ReadTotal(const QString &firstPage, int &total) const;
    QString FetchWithRetry(const QString &address, bool &ok);
    std::optional<std::vector<StockRecord>> FetchCatchUpPage(int page, int index, int count,
                                                             std::vector<int> &saved);
    static QString TooLarge(int page);
    void Tell(const QString &text, UpdateMessageKind kind);
    void RecordChanges(const std::vector<StockRecord> &previous, int pages);

    PageFetcher &fetcher;
    UpdateRunObserver &observer;
    std::unique_ptr<DataFolderLock> folderLock;
    std::optional<BandChanges> lastChanges;
    int expectedStocks = 0;       // the screener's total during a run; 0 when not known
    bool timeStampSaved = false;  // by the last completed import
    bool running = false;
    bool stopRequested = false;
};
