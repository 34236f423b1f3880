#pragma once

#include <QString>
#include <limits>
#include <optional>
#include <vector>

#include "app/BandChanges.h"

class PageFetcher;
namespace widgets {
class ucProgressBar;
}
class QLabel;

// What an update run works on: the main window's page fetcher (its browser component), the
// download and import progress bars and the status label.
struct UpdateRunControls {
    PageFetcher *fetcher = nullptr;
    widgets::ucProgressBar *downloadBar = nullptr;  // ucProgressBar1
    widgets::ucProgressBar *importBar = nullptr;    // ucProgressBar2
    QLabel *statusLabel = nullptr;                  // lblDownloadStatus
    // Our own line under the bars: the page or stock being worked on, afterwards the summary of
    // the last completed update. Optional.
    QLabel *progressLabel = nullptr;
};

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
};

// The data update of the main window: downloads every result page of the screener into
// temp/N.dat, cuts them into the stock table, saves and reloads data.dat.
class DataUpdateRun {
public:
    explicit DataUpdateRun(const UpdateRunControls &controls);

    // The "Update Data" button: moves the pointer 22 pixels down and runs; tells the user when
    // the run completed but its time stamp could not be written.
    UpdateOutcome UpdateDataAction();

    // The run itself. Reports its end to the user in a message box captioned with the title.
    // When stocks the screener counted are missing because its list moved during the download,
    // it fetches them again (CatchUpPass); those still missing are reported with the failed
    // pages, and the user decides whether to import.
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
    // Ends a run at the next page without touching data.dat (the window is closing).
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

private:
    UpdateOutcome Run();
    bool ReadTotal(const QString &firstPage, int &total) const;
    // What a download lacks: pages that failed, were not tried or not saved (those larger than
    // the page limit among the failed, by their numbers from 1), and the line on stocks missing
    // from the pages that came (empty when none are).
    struct DownloadGaps {
        int pages = 0;
        int missing = 0;
        int notTried = 0;
        int unsaved = 0;
        std::vector<int> tooLarge;
        QString stocksMissing;
    };
    bool AskToImportIncomplete(const DownloadGaps &gaps);
    static QString TooLarge(int page);
    std::optional<std::vector<StockRecord>> FetchCatchUpPage(int page, int index, int count,
                                                             int missing, std::vector<int> &saved);
    QString FetchWithRetry(const QString &address, bool &ok);
    void ResetControls();
    void SetStatus(const QString &text);
    void SetProgress(const QString &text);
    void RecordChanges(const std::vector<StockRecord> &previous, int pages);

    UpdateRunControls controls;
    std::optional<BandChanges> lastChanges;
    int expectedStocks = 0;       // the screener's total during a run; 0 when not known
    bool timeStampSaved = false;  // by the last completed import
    bool running = false;
    bool stopRequested = false;
};
