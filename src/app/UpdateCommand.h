#pragma once

#include <QString>
#include <cstdio>
#include <memory>

#include "app/DataUpdateRun.h"
#include "app/UpdateRunObserver.h"

class PageFetcher;
namespace web {
class PageLoader;
}

// `zentrin --update`: the main window's update run without a window, for a timer. Progress goes
// to stderr, one line a page, or on a terminal one line rewritten in place; the completion and
// the summary of what changed go to stdout, every problem to stderr. SIGINT and SIGTERM stop the
// run at the next page and leave the data as it was.
class UpdateCommand : public UpdateRunObserver {
public:
    // The exit statuses of the command.
    static constexpr int Updated = 0;
    static constexpr int NotUpdated = 1;
    static constexpr int FolderInUse = 3;

    enum class Incomplete { Decline, Import };  // --import-incomplete
    enum class Output { Lines, InPlace };       // stderr a log, or a terminal

    UpdateCommand(Incomplete incomplete, Output output, std::FILE *out = stdout,
                  std::FILE *err = stderr);
    ~UpdateCommand() override;

    // Loads data.dat and the last changes, runs the update and writes the time stamp, as the
    // window's "Update Data" does. Returns the exit status.
    int Run();

    static int ExitStatus(UpdateOutcome outcome);
    // Page numbers as the progress lines count them (from 1), in runs: "3 to 5, 9".
    static QString PageList(const std::vector<int> &pages);

    void Progress(const UpdateProgress &progress) override;
    void Idle(const std::optional<BandChanges> &lastChanges) override;
    void Tell(const QString &text, UpdateMessageKind kind) override;
    bool ImportIncomplete(const IncompleteDownload &download) override;

private:
    void Line(std::FILE *stream, const QString &text);
    void InPlace(const QString &text);
    void EndInPlace();

    const Incomplete incomplete;
    const Output output;
    std::FILE *out;
    std::FILE *err;
    bool lineOpen = false;  // an in-place line waits for its line end
    std::unique_ptr<web::PageLoader> loader;
    std::unique_ptr<PageFetcher> fetcher;
    std::unique_ptr<DataUpdateRun> run;
};
