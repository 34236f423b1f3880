#include "app/HistoryReader.h"

#include <QFileInfo>

#include "history/PriceHistory.h"

namespace HistoryReader {

namespace {

// Opens the history for reading only when there is one; false leaves it closed.
bool OpenExisting(history::PriceHistory &history)
{
    const QString path = history::PriceHistory::DefaultPath();
    if (!QFileInfo(path).isFile())
        return false;
    history.SetBusyTimeout(0);
    return history.Open(path).ok && history.IsOpen();
}

}  // namespace

HistoryFacts ReadFacts()
{
    history::PriceHistory history;
    if (!OpenExisting(history))
        return {};
    return HistoryFacts{history.PreviousPrices(), history.FirstSeen()};
}

PriceSeriesSource SeriesSource()
{
    return [](const QString &symbol) {
        std::vector<PricePoint> points;
        history::PriceHistory history;
        if (!OpenExisting(history))
            return points;
        const std::vector<history::SeriesPoint> series = history.Series(symbol);
        points.reserve(series.size());
        for (const history::SeriesPoint &p : series) points.push_back({p.takenAt, p.price});
        return points;
    };
}

}  // namespace HistoryReader
