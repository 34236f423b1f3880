#include "app/UpdateRunPanel.h"

#include <QLabel>
#include <algorithm>

#include "app/AppTitle.h"
#include "app/DataUpdateRun.h"
#include "app/UpdateStatusText.h"
#include "platform/MessageBox.h"
#include "store/MdlHelpers.h"
#include "widgets/ucProgressBar.h"

UpdateRunPanel::UpdateRunPanel(const Controls &controls) : controls(controls) {}

void UpdateRunPanel::Progress(const UpdateProgress &progress)
{
    const bool downloading = progress.Phase == UpdatePhase::Downloading;
    widgets::ucProgressBar &bar = downloading ? *controls.downloadBar : *controls.importBar;
    if (progress.Done == 0) {
        bar.SetValue(0);
        // The download bar runs over the page numbers 0 to the last, the import bar over the
        // files; either needs a maximum above its minimum, so a single page still has one step.
        bar.SetMax(std::max(downloading ? progress.Steps - 1 : progress.Steps, 1));
        if (controls.statusLabel)
            controls.statusLabel->setText(downloading ? QStringLiteral("Downloading Data...")
                                                      : QStringLiteral("Importing Data..."));
    } else {
        bar.SetValue(std::min(progress.Done - 1, bar.Max()));
    }
    if (!downloading)
        SetProgressLine(UpdateStatusText::Importing(progress.Stocks, progress.ExpectedStocks));
    else if (progress.Done < progress.Steps)
        SetProgressLine(UpdateStatusText::Downloading(progress.Done + 1, progress.Steps,
                                                      progress.Done, progress.ElapsedMs));
}

void UpdateRunPanel::Idle(const std::optional<BandChanges> &lastChanges)
{
    if (controls.statusLabel)
        controls.statusLabel->setText(QString());
    SetProgressLine(lastChanges ? UpdateStatusText::Summary(*lastChanges) : QString());
    controls.downloadBar->SetValue(0);
    controls.importBar->SetValue(0);
}

void UpdateRunPanel::Tell(const QString &text, UpdateMessageKind kind)
{
    const platform::MessageIcon icon =
        kind == UpdateMessageKind::Information ? platform::MessageIcon::Information
        : kind == UpdateMessageKind::Warning   ? platform::MessageIcon::Warning
                                               : platform::MessageIcon::Critical;
    platform::ShowMessage({text, AppTitle(), platform::MessageButtons::Ok, icon});
}

bool UpdateRunPanel::ImportIncomplete(const IncompleteDownload &download)
{
    const QString text = DataUpdateRun::IncompleteDownloadText(download) + MdlHelpers::CrLf +
                         QStringLiteral("Would you like to import the incomplete list anyway?");
    return platform::ShowMessage({text, AppTitle(), platform::MessageButtons::YesNo,
                                  platform::MessageIcon::Question}) != platform::MessageAnswer::No;
}

void UpdateRunPanel::SetProgressLine(const QString &text)
{
    if (!controls.progressLabel || controls.progressLabel->text() == text)
        return;
    controls.progressLabel->setText(text);
    // The import pumps no events: show each step as the bars show theirs.
    controls.progressLabel->repaint();
}
