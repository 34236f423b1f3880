#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

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

// The Save-As dialog of a request. With FolderMustExist a name in a folder that does not exist
// is refused inside the dialog: it says so and stays open for another name.
class SaveFileDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit SaveFileDialog(const SaveDialogRequest &request);

    void accept() override;

private:
    bool folderMustExist = false;
};

// Shows the desktop's modal Save-As dialog. Tests install a handler instead, so no test ever
// opens a real dialog.
SaveDialogAnswer ShowSaveDialog(const SaveDialogRequest &request);

using SaveDialogHandler = std::function<SaveDialogAnswer(const SaveDialogRequest &)>;
// Replaces the dialog (an empty handler restores it).
void SetSaveDialogHandler(SaveDialogHandler handler);

}  // namespace platform
