#include "app/UpdateCommand.h"

#include <QDir>
#include <QTimer>
#include <csignal>

#include "app/PageFetcher.h"
#include "app/ScreenerAddress.h"
#include "app/UpdateStatusText.h"
#include "history/PriceHistory.h"
#include "platform/ProgramFolder.h"
#include "store/MdlHelpers.h"
#include "store/Module1.h"
#include "store/StockTable.h"
#include "web/PageLoader.h"

namespace {

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void OnStopSignal(int signal)
{
    stopSignal = signal;
    // A second one ends the program at once.
    std::signal(signal, SIG_DFL);
}

// SIGINT and SIGTERM only raise a flag while the run is on; the run looks at it between events.
class StopSignals {
public:
    StopSignals()
    {
        stopSignal = 0;
        struct sigaction action = {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previousInt);
        sigaction(SIGTERM, &action, &previousTerm);
    }
    ~StopSignals()
    {
        sigaction(SIGINT, &previousInt, nullptr);
        sigaction(SIGTERM, &previousTerm, nullptr);
    }
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

private:
    struct sigaction previousInt = {};
    struct sigaction previousTerm = {};
};

}  // namespace

UpdateCommand::UpdateCommand(Incomplete incomplete, Output output, std::FILE *out, std::FILE *err)
    : incomplete(incomplete),
      output(output),
      out(out),
      err(err),
      loader(std::make_unique<web::PageLoader>()),
      fetcher(std::make_unique<PageFetcher>(*loader)),
      run(std::make_unique<DataUpdateRun>(*fetcher, *this))
{
}

UpdateCommand::~UpdateCommand() = default;

int UpdateCommand::Run()
{
    Module1::RemoveSaveLeftovers();
    // What this update is compared with: data.dat as it is now, not as some window last saw it.
    Module1::LoadStockDatabase();
    run->SeedHistory();
    run->LoadLastChanges();
    Line(err,
         QStringLiteral("Updating the stock data in %1 from %2")
             .arg(QDir::toNativeSeparators(platform::ProgramFolder()), ScreenerAddress::Site()));

    StopSignals stopSignals;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [this] {
        if (stopSignal != 0)
            run->Stop();
    });
    watch.start(50);
    const UpdateOutcome outcome = run->UpdateDataAction();
    watch.stop();
    EndInPlace();

    if (outcome == UpdateOutcome::Completed && run->LastChanges())
        Line(out, UpdateStatusText::Summary(*run->LastChanges()));
    if (outcome == UpdateOutcome::Stopped)
        Line(err, QStringLiteral("zentrin: the update was stopped. Your stock data has not been "
                                 "changed."));
    return ExitStatus(outcome);
}

int UpdateCommand::ExitStatus(UpdateOutcome outcome)
{
    switch (outcome) {
        case UpdateOutcome::Completed:
            return Updated;
        case UpdateOutcome::FolderInUse:
            return FolderInUse;
        default:
            return NotUpdated;
    }
}

QString UpdateCommand::PageList(const std::vector<int> &pages)
{
    QStringList runs;
    for (std::size_t i = 0; i < pages.size();) {
        std::size_t j = i;
        while (j + 1 < pages.size() && pages[j + 1] == pages[j] + 1) ++j;
        const QString first = QString::number(pages[i] + 1);
        runs << (j == i ? first : first + QStringLiteral(" to ") + QString::number(pages[j] + 1));
        i = j + 1;
    }
    return runs.join(QStringLiteral(", "));
}

void UpdateCommand::Progress(const UpdateProgress &progress)
{
    const bool downloading = progress.Phase == UpdatePhase::Downloading;
    if (progress.Done == 0) {
        EndInPlace();
        Line(err, downloading ? QStringLiteral("Downloading Data...")
                              : QStringLiteral("Importing Data..."));
    }
    if (downloading) {
        if (progress.Done >= progress.Steps)
            return;
        const QString page = UpdateStatusText::Downloading(progress.Done + 1, progress.Steps,
                                                           progress.Done, progress.ElapsedMs);
        if (output == Output::Lines)
            Line(err, page);
        else
            InPlace(page + QStringLiteral(" \u00B7 ") +
                    UpdateStatusText::Count(progress.ExpectedStocks) + QStringLiteral(" stocks"));
        return;
    }
    const QString count = UpdateStatusText::Importing(progress.Stocks, progress.ExpectedStocks);
    if (output == Output::InPlace)
        InPlace(count);
    else if (progress.Done == progress.Steps)
        Line(err, count);  // a log needs no line for every file
}

void UpdateCommand::Idle(const std::optional<BandChanges> &)
{
    EndInPlace();
}

void UpdateCommand::Tell(const QString &text, UpdateMessageKind kind)
{
    EndInPlace();
    const QStringList lines = text.split(MdlHelpers::CrLf);
    if (kind == UpdateMessageKind::Information) {
        for (const QString &line : lines) Line(out, line);
        return;
    }
    for (qsizetype i = 0; i < lines.size(); ++i)
        Line(err, (i == 0 ? QStringLiteral("zentrin: ") : QStringLiteral("  ")) + lines[i]);
}

bool UpdateCommand::ImportIncomplete(const IncompleteDownload &download)
{
    std::vector<int> missing = download.Failed;
    missing.insert(missing.end(), download.NotTried.begin(), download.NotTried.end());
    QString text = DataUpdateRun::IncompleteDownloadText(download);
    if (!missing.empty())
        text += MdlHelpers::CrLf + QStringLiteral("Pages not downloaded: ") + PageList(missing) +
                QStringLiteral(" of %1.").arg(download.Pages);
    if (!download.Unsaved.empty())
        text += MdlHelpers::CrLf + QStringLiteral("Pages not saved: ") +
                PageList(download.Unsaved) + QStringLiteral(" of %1.").arg(download.Pages);
    const bool import = incomplete == Incomplete::Import;
    text += MdlHelpers::CrLf +
            (import ? QStringLiteral("Importing the pages that came (--import-incomplete).")
                    : QStringLiteral("Nothing was imported: --import-incomplete imports the "
                                     "pages that came. Your stock data has not been changed."));
    Tell(text, UpdateMessageKind::Warning);
    return import;
}

void UpdateCommand::Line(std::FILE *stream, const QString &text)
{
    if (stream == err)
        EndInPlace();
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void UpdateCommand::InPlace(const QString &text)
{
    // Back to the start of the line and clear it, so a shorter text leaves nothing behind.
    std::fputs("\r\033[K", err);
    std::fputs(text.toLocal8Bit().constData(), err);
    std::fflush(err);
    lineOpen = true;
}

void UpdateCommand::EndInPlace()
{
    if (!lineOpen)
        return;
    lineOpen = false;
    std::fputc('\n', err);
    std::fflush(err);
}
