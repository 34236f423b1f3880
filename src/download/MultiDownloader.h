#pragma once

#include <QList>
#include <QString>
#include <array>

#include "platform/HostedControl.h"
#include "platform/SurfaceWidget.h"

namespace platform {
class InternetTransfer;
}

// Downloads a queue of links, each to its own file, over five parallel HTTP channels. The owner
// adds links with AddLink, starts them with DownloadLinks and hears FileComplete for every file
// written; Busy turns false when every link has been written or has failed. Each channel
// fetches one link at a time and then takes the lowest-numbered waiting one.
//
// A link counts as failed, not done, when its transfer fails, when the server answers with an
// HTTP error status, or when its file cannot be written; failures show only in DownloadError.
// A file is written through a temporary file that replaces the target only when it is whole,
// so a failure leaves an earlier file of that name as it was.
//
// On a window it shows as a 32 x 32 icon and keeps that size.
class MultiDownloader : public platform::SurfaceWidget, public platform::HostedControl {
    Q_OBJECT
public:
    // A failed link keeps LinkInTransfer.
    enum LinkStatus : short {
        LinkWaiting = 0,
        LinkInTransfer = 1,
        LinkDone = 2,
    };
    struct LinkRecord {
        QString Link;
        QString FileName;
        LinkStatus Status = LinkWaiting;
    };

    static constexpr int ChannelCount = 5;
    // The header line every request carries.
    static const QString RequestHeaderLine;

    explicit MultiDownloader(QWidget *parent = nullptr);
    ~MultiDownloader() override;

    // Queues a link with the file its body goes to. Error 6 beyond 32767 links (nothing is
    // queued then).
    void AddLink(const QString &link, const QString &fileName);
    // Starts the first links on the channels and returns 0. With nothing pending the run is
    // over at once and Busy is false on return.
    int DownloadLinks();
    // Empties the queue and clears the counters and DownloadError; Busy and DataDownloaded stay.
    // Transfers still running go on, but what they report afterwards is ignored.
    void Reset();

    // Read-only: each setter fails with error 387 in design mode, 382 at run time.
    short TotalLinks() const { return totalLinks; }
    void SetTotalLinks(short value);
    short PendingLinks() const { return pendingLinks; }
    void SetPendingLinks(short value);
    int DataDownloaded() const { return dataDownloaded; }
    void SetDataDownloaded(int value);
    bool Busy() const { return busy; }
    void SetBusy(bool value);
    bool DownloadError() const { return downloadError; }

    // The queue, indexed from 1 as the channels' tags name it; error 9 outside 1..LinkCount().
    int LinkCount() const { return static_cast<int>(links.size()); }
    const LinkRecord &Link(int index) const;
    // The transfer channels 0..4; error 9 for any other index.
    platform::InternetTransfer &INET(int index);

    void InitProperties() override;
    void ReadProperties(const platform::SettingsStore &store) override;
    void WriteProperties(platform::SettingsStore &store) const override;

signals:
    // A link's file has been written and closed; raised before its channel takes the next link.
    void FileComplete();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Channel {
        platform::InternetTransfer *transfer = nullptr;
        // Which start of a link the channel is busy with; 0 for none, or for one started before
        // the last Reset.
        quint64 job = 0;
    };

    void StartLink(int linkIndex, int channel);
    void ChannelStateChanged(int channel, int state);
    // Writes the channel's response body to the file; false when it could not be written whole.
    bool WriteResponse(platform::InternetTransfer &transfer, const QString &fileName) const;
    void LinkFinished();
    void HandOnNextLink(int channel);
    void RefuseReadOnly() const;
    void KeepIconSize();
    void PaintIcon();

    QList<LinkRecord> links;
    std::array<Channel, ChannelCount> channels;
    quint64 jobs = 0;
    short totalLinks = 0;
    short pendingLinks = 0;
    int dataDownloaded = 0;
    bool busy = false;
    bool downloadError = false;
};
