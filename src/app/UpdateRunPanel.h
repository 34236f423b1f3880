#pragma once

#include "app/UpdateRunObserver.h"

class QLabel;
namespace widgets {
class ucProgressBar;
}

// The main window's face of an update run: the data-updates tab's two bars, its phase label
// and the progress line under the bars, and message boxes captioned with the title.
class UpdateRunPanel : public UpdateRunObserver {
public:
    struct Controls {
        widgets::ucProgressBar *downloadBar = nullptr;  // ucProgressBar1
        widgets::ucProgressBar *importBar = nullptr;    // ucProgressBar2
        QLabel *statusLabel = nullptr;                  // lblDownloadStatus
        // Our own line under the bars: the page or stock being worked on, afterwards the
        // summary of the last completed update. Optional.
        QLabel *progressLabel = nullptr;
    };

    explicit UpdateRunPanel(const Controls &controls);

    void Progress(const UpdateProgress &progress) override;
    void Idle(const std::optional<BandChanges> &lastChanges) override;
    void Tell(const QString &text, UpdateMessageKind kind) override;
    bool ImportIncomplete(const IncompleteDownload &download) override;

private:
    void SetProgressLine(const QString &text);

    Controls controls;
};
