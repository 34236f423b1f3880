#include "platform/SaveDialog.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "platform/MessageBox.h"

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

SaveFileDialog::SaveFileDialog(const SaveDialogRequest &request)
    : QFileDialog(request.Owner, request.Title, request.InitialFolder),
      folderMustExist(request.Options & static_cast<unsigned>(SaveDialogOption::FolderMustExist))
{
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    // A dialog of the desktop's own would take the name without asking this one.
    if (folderMustExist)
        setOption(QFileDialog::DontUseNativeDialog);
    if (!(request.Options & static_cast<unsigned>(SaveDialogOption::AskBeforeOverwrite)))
        setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const FileFilter &f : request.Filters) filters << QtFilter(f);
    setNameFilters(filters);
    if (!request.InitialName.isEmpty())
        selectFile(request.InitialName);
}

void SaveFileDialog::accept()
{
    const QStringList files = selectedFiles();
    if (folderMustExist && !files.isEmpty()) {
        const QFileInfo chosen(files.constFirst());
        const QString folder = chosen.absolutePath();
        if (!chosen.isDir() && !QFileInfo(folder).isDir()) {
            ShowMessage({QStringLiteral("The folder %1 does not exist.")
                                 .arg(QDir::toNativeSeparators(folder)) +
                             QStringLiteral("\r\nChoose a folder that exists and try again."),
                         windowTitle(), MessageButtons::Ok, MessageIcon::Warning},
                        this);
            return;
        }
    }
    QFileDialog::accept();
}

SaveDialogAnswer ShowSaveDialog(const SaveDialogRequest &request)
{
    if (Handler())
        return Handler()(request);
    SaveFileDialog dialog(request);
    SaveDialogAnswer answer;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        answer.Path = dialog.selectedFiles().constFirst();
    answer.FilterIndex = std::max(
        1, static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1);
    return answer;
}

void SetSaveDialogHandler(SaveDialogHandler handler)
{
    Handler() = std::move(handler);
}

}  // namespace platform
