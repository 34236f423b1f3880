#pragma once

#include <QString>
#include <vector>

#include "platform/SaveDialog.h"

class QWidget;

// The desktop's file dialogs as the program's windows ask for them.
namespace mdlCommonDialog {

// Dialog flags.
inline constexpr int FlagOverwritePrompt = 2;   // ask before overwriting an existing file
inline constexpr int FlagPathMustExist = 2048;  // the chosen folder must exist

// Shows the Save-As dialog owned by owner and returns the chosen full path, or empty text when
// the user cancels. filterIndex receives the 1-based entry of filters in use either way. A
// non-empty initialPath opens the dialog in its folder (the part before its last separator,
// the whole text without one) with its file name (at most 254 characters) filled in. No
// default extension is added: the caller appends its own.
QString ShowSaveDialog(QWidget *owner, const std::vector<platform::FileFilter> &filters,
                       const QString &title, int flags, int &filterIndex,
                       const QString &initialPath);

}  // namespace mdlCommonDialog
