#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/BandChanges.h"

// What an update run shows and asks while it works. The main window answers with its bars,
// labels and message boxes (UpdateRunPanel), the headless update with lines on stderr and its
// command-line flags (UpdateCommand): one run, two front ends.

enum class UpdatePhase { Downloading, Importing };

// Where a run is. A phase begins with Done = 0; every finished page or page file follows.
struct UpdateProgress {
    UpdatePhase Phase = UpdatePhase::Downloading;
    int Done = 0;            // pages fetched, or page files imported, so far
    int Steps = 0;           // pages to fetch (the total's pages and the first page again), or
                             // page files to import
    int Stocks = 0;          // stocks read from the page files so far (importing)
    int ExpectedStocks = 0;  // the screener's total; on an import alone, 20 a page file
    uint32_t ElapsedMs = 0;  // since the phase began
};

enum class UpdateMessageKind { Information, Warning, Critical };

// A download that left pages out. Page numbers count from 0, as the page files are named.
struct IncompleteDownload {
    int Pages = 0;              // pages the run set out to fetch
    std::vector<int> Failed;    // fetched, but with no result table, even on the retry
    std::vector<int> NotTried;  // left out once the screener stopped answering
    std::vector<int> Unsaved;   // came, but could not be written to the temp folder
    int FailuresBeforeGivingUp = 0;
    QString TempFolder;         // where the pages go, as shown to the user
    std::vector<int> TooLarge;  // of the failed, those larger than the page limit
    // Stocks the screener counted that none of the pages brought, as the run says it ("187 of
    // the 200 stocks ..."); empty when none are missing or failed pages explain it.
    QString StocksMissing;
};

class UpdateRunObserver {
public:
    virtual ~UpdateRunObserver() = default;

    virtual void Progress(const UpdateProgress &progress) = 0;
    // No run is going on (one has ended, however, or none has begun): back at rest, showing
    // what the last completed update changed (nothing when none has completed yet).
    virtual void Idle(const std::optional<BandChanges> &lastChanges) = 0;
    // One of the run's messages: how it ended, or what went wrong.
    virtual void Tell(const QString &text, UpdateMessageKind kind) = 0;
    // Pages are missing: whether to import the incomplete list all the same.
    virtual bool ImportIncomplete(const IncompleteDownload &download) = 0;
};
