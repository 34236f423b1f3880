#include "platform/SaveDialog.h"

#include <QFileDialog>
#include <algorithm>

namespace platform {

namespace {
SaveDialogHandler &Handler()
{
    static SaveDialogHandler handler;
    return handler;
}

// Qt reads the patterns from the last parentheses of an entry.
QString QtFilter(const FileFilter &filter)
{
    const QString patterns = QLatin1Char('(') + filter.Pattern + QLatin1Char(')');
    if (filter.Description.endsWith(patterns))
        return filter.Description;
    return filter.Description + QLatin1Char(' ') + patterns;
}
}  // namespace

SaveDialogAnswer ShowSaveDialog(const SaveDialogRequest &request)
{
    if (Handler())
        return Handler()(request);
    QFileDialog dialog(request.Owner, request.Title, request.InitialFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog itself only offers folders that exist, so FolderMustExist needs no option.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!(request.Options & static_cast<unsigned>(SaveDialogOption::AskBeforeOverwrite)))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const FileFilter &f : request.Filters) filters << QtFilter(f);
    dialog.setNameFilters(filters);
    if (!request.InitialName.isEmpty())
        dialog.selectFile(request.InitialName);
    SaveDialogAnswer answer;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        answer.Path = dialog.selectedFiles().constFirst();
    answer.FilterIndex =
        std::max(1, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1);
    return answer;
}

void SetSaveDialogHandler(SaveDialogHandler handler)
{
    Handler() = std::move(handler);
}

}  // namespace platform
