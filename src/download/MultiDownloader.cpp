#include "download/MultiDownloader.h"

#include <QCoreApplication>
#include <algorithm>

#include "platform/ControlError.h"
#include "platform/InternetTransfer.h"
#include "platform/SafeFile.h"
#include "platform/SettingsStore.h"

using platform::ControlError;
using platform::InternetTransfer;

namespace {

// 480 twips on the classic 15 twips a pixel.
constexpr QSize kIconSize(32, 32);
constexpr int kChunkSize = 1024;

// The link index a channel's tag names; 0 when it names none.
int TagIndex(const QString &tag)
{
    bool ok = false;
    const short index = tag.toShort(&ok);
    return ok ? index : 0;
}

}  // namespace

const QString MultiDownloader::RequestHeaderLine = QStringLiteral(
    "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows 98; Win 9x 4.90; Duzidudi)");

MultiDownloader::MultiDownloader(QWidget *parent) : SurfaceWidget(parent)
{
    for (int c = 0; c < ChannelCount; ++c) {
        channels[c].transfer = new InternetTransfer(this);
        connect(channels[c].transfer, &InternetTransfer::StateChanged, this,
                [this, c](int state) { ChannelStateChanged(c, state); });
    }
    KeepIconSize();
}

MultiDownloader::~MultiDownloader() = default;

void MultiDownloader::AddLink(const QString &link, const QString &fileName)
{
    const short total = platform::CheckedInt16(totalLinks + 1);
    const short pending = platform::CheckedInt16(pendingLinks + 1);
    links.append({link, fileName, LinkWaiting});
    totalLinks = total;
    pendingLinks = pending;
}

int MultiDownloader::DownloadLinks()
{
    busy = true;
    // No transfer would ever end a run with nothing to fetch.
    if (links.isEmpty() || pendingLinks <= 0) {
        busy = false;
        return 0;
    }
    const int n = std::min(LinkCount(), ChannelCount);
    for (int i = 1; i <= n; ++i) StartLink(i, i - 1);
    return 0;
}

void MultiDownloader::Reset()
{
    links.clear();
    totalLinks = 0;
    pendingLinks = 0;
    downloadError = false;
    // The transfers go on; their channels no longer belong to any link.
    for (Channel &channel : channels) channel.job = 0;
}

void MultiDownloader::StartLink(int linkIndex, int channel)
{
    // Execute gives up whatever the channel was still doing.
    InternetTransfer &transfer = *channels[channel].transfer;
    transfer.SetURL(links[linkIndex - 1].Link);
    transfer.SetTag(QString::number(linkIndex));
    channels[channel].job = ++jobs;
    links[linkIndex - 1].Status = LinkInTransfer;
    transfer.Execute(QString(), QStringLiteral("GET"), QByteArray(), RequestHeaderLine);
}

void MultiDownloader::ChannelStateChanged(int c, int state)
{
    Channel &channel = channels[c];
    const quint64 job = channel.job;
    const int index = TagIndex(channel.transfer->Tag());
    // Other notices go first; one of them may even restart this channel or reset the queue.
    // Only what is pending: the clock's pump idles a millisecond when nothing is, which suits a
    // waiting loop but would hold up every one of these notices.
    QCoreApplication::processEvents();
    if (state != InternetTransfer::StateResponseCompleted && state != InternetTransfer::StateError)
        return;
    // A transfer from before the last Reset, or one replaced while this notice waited, reports
    // into links that are not its own.
    if (job == 0 || channel.job != job || index < 1 || index > LinkCount())
        return;

    // An error page is no file, and neither is one that could not be written.
    const int status = channel.transfer->ResponseCode();
    const bool written = state == InternetTransfer::StateResponseCompleted && status >= 200 &&
                         status < 300 &&
                         WriteResponse(*channel.transfer, links[index - 1].FileName);
    if (written) {
        links[index - 1].Status = LinkDone;
        LinkFinished();
        emit FileComplete();
    } else {
        downloadError = true;
        channel.transfer->Cancel();
        LinkFinished();
    }
    // A failed channel takes the next link too, or the links behind a run of failures would
    // never start. The FileComplete handler may have reset the queue or restarted the channel.
    if (channel.job == job)
        HandOnNextLink(c);
}

bool MultiDownloader::WriteResponse(InternetTransfer &transfer, const QString &fileName) const
{
    QByteArray body;
    for (QByteArray chunk = transfer.GetChunk(kChunkSize); !chunk.isEmpty();
         chunk = transfer.GetChunk(kChunkSize))
        body += chunk;
    // The target is replaced only by a whole body. Unsynced: a file can be fetched again, and
    // a sync per file would cost more than a whole local transfer.
    return platform::ReplaceFile(fileName, body, platform::Durability::Unsynced);
}

void MultiDownloader::LinkFinished()
{
    if (pendingLinks > 0)
        --pendingLinks;
    if (pendingLinks == 0)
        busy = false;
}

void MultiDownloader::HandOnNextLink(int channel)
{
    channels[channel].job = 0;
    const auto next = std::find_if(links.cbegin(), links.cend(), [](const LinkRecord &link) {
        return link.Status == LinkWaiting;
    });
    if (next != links.cend())
        StartLink(static_cast<int>(next - links.cbegin()) + 1, channel);
}

void MultiDownloader::RefuseReadOnly() const
{
    throw ControlError(AmbientUserMode().value_or(false) ? platform::ErrPropertyCannotBeSetAtRunTime
                                                         : platform::ErrPropertyCannotBeSet);
}

void MultiDownloader::SetTotalLinks(short)
{
    RefuseReadOnly();
}

void MultiDownloader::SetPendingLinks(short)
{
    RefuseReadOnly();
}

void MultiDownloader::SetDataDownloaded(int)
{
    RefuseReadOnly();
}

void MultiDownloader::SetBusy(bool)
{
    RefuseReadOnly();
}

const MultiDownloader::LinkRecord &MultiDownloader::Link(int index) const
{
    if (index < 1 || index > LinkCount())
        throw ControlError(platform::ErrSubscriptOutOfRange);
    return links[index - 1];
}

InternetTransfer &MultiDownloader::INET(int index)
{
    if (index < 0 || index >= ChannelCount)
        throw ControlError(platform::ErrSubscriptOutOfRange);
    return *channels[index].transfer;
}

void MultiDownloader::InitProperties()
{
    totalLinks = 0;
    pendingLinks = 0;
    dataDownloaded = 0;
    busy = false;
}

void MultiDownloader::ReadProperties(const platform::SettingsStore &store)
{
    totalLinks = store.ReadInt16(QStringLiteral("TotalLinks"), 0);
    pendingLinks = store.ReadInt16(QStringLiteral("PendingLinks"), 0);
    dataDownloaded = store.ReadInt(QStringLiteral("DataDownloaded"), 0);
    busy = store.ReadBool(QStringLiteral("Busy"), false);
}

void MultiDownloader::WriteProperties(platform::SettingsStore &store) const
{
    store.WriteInt(QStringLiteral("TotalLinks"), totalLinks, 0);
    store.WriteInt(QStringLiteral("PendingLinks"), pendingLinks, 0);
    store.WriteInt(QStringLiteral("DataDownloaded"), dataDownloaded, 0);
    store.WriteBool(QStringLiteral("Busy"), busy, false);
}

void MultiDownloader::resizeEvent(QResizeEvent *event)
{
    SurfaceWidget::resizeEvent(event);
    KeepIconSize();
}

void MultiDownloader::KeepIconSize()
{
    if (size() != kIconSize || minimumSize() != kIconSize || maximumSize() != kIconSize)
        setFixedSize(kIconSize);
    SyncSurfaceSize();
    PaintIcon();
}

// A raised tile with an arrow pointing down into a tray.
void MultiDownloader::PaintIcon()
{
    using namespace platform;
    DrawingSurface &face = Surface();
    face.SetBackColor(SystemColor(SysButtonFace));
    face.Clear();
    face.DrawEdge(QRect(QPoint(0, 0), kIconSize), EdgeRaised, EdgeRect);
    constexpr ColorValue arrow = 0x00800000u;  // dark blue
    face.FillRect(RectLTRB(14, 6, 18, 17), arrow);
    for (int row = 0; row < 6; ++row)
        face.FillRect(RectLTRB(10 + row, 17 + row, 22 - row, 18 + row), arrow);
    face.FillRect(RectLTRB(7, 25, 25, 27), SystemColor(SysButtonText));
    Present();
}
