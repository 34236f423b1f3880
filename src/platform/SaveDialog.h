#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace platform {

// One entry of a file dialog's type list: "CSV Files (*.csv)" and "*.csv".
struct FileFilter {
    QString Description;
    QString Pattern;
};

enum class SaveDialogOption : unsigned {
    None = 0,
    AskBeforeOverwrite = 1u << 0,
    FolderMustExist = 1u << 1,
};

struct SaveDialogRequest {
    QWidget *Owner = nullptr;
    QString Title;
    std::vector<FileFilter> Filters;
    unsigned Options = 0;  // SaveDialogOption bits
    QString InitialFolder;
    QString InitialName;
};

struct SaveDialogAnswer {
    QString Path;         // empty when the user cancelled
    int FilterIndex = 1;  // 1-based entry of Filters in use
};

// Shows the desktop's modal Save-As dialog. Tests install a handler instead, so no test ever
// opens a real dialog.
SaveDialogAnswer ShowSaveDialog(const SaveDialogRequest &request);

using SaveDialogHandler = std::function<SaveDialogAnswer(const SaveDialogRequest &)>;
// Replaces the dialog (an empty handler restores it).
void SetSaveDialogHandler(SaveDialogHandler handler);

}  // namespace platform
