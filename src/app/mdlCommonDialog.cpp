#include "app/mdlCommonDialog.h"

#include <algorithm>

namespace mdlCommonDialog {

namespace {
constexpr int MaxFileNameLength = 254;
}

QString ShowSaveDialog(QWidget *owner, const std::vector<platform::FileFilter> &filters,
                       const QString &title, int flags, int &filterIndex,
                       const QString &initialPath)
{
    platform::SaveDialogRequest request;
    request.Owner = owner;
    request.Title = title;
    request.Filters = filters;
    using platform::SaveDialogOption;
    if (flags & FlagOverwritePrompt)
        request.Options |= static_cast<unsigned>(SaveDialogOption::AskBeforeOverwrite);
    if (flags & FlagPathMustExist)
        request.Options |= static_cast<unsigned>(SaveDialogOption::FolderMustExist);
    if (!initialPath.isEmpty()) {
        const qsizetype cut = std::max(initialPath.lastIndexOf(QLatin1Char('\\')),
                                       initialPath.lastIndexOf(QLatin1Char('/')));
        request.InitialFolder = cut < 0 ? initialPath : initialPath.left(cut);
        request.InitialName = initialPath.mid(cut + 1).left(MaxFileNameLength);
    }
    const platform::SaveDialogAnswer answer = platform::ShowSaveDialog(request);
    filterIndex = answer.FilterIndex;
    return answer.Path;
}

}  // namespace mdlCommonDialog
