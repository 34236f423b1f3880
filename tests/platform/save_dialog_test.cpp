#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTemporaryDir>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/SaveDialog.h"

// The Save-As dialog is shown without its modal loop, a name is typed and Save pressed, as a
// user would; a name in a missing folder must not close it.
TEST(SaveDialog, ANameInAMissingFolderIsRefusedInsideTheDialog)
{
    QTemporaryDir dir;
    std::vector<platform::MessageRequest> messages;
    platform::SetMessageHandler([&](const platform::MessageRequest &m) {
        messages.push_back(m);
        return platform::MessageAnswer::Ok;
    });
    const struct {
        unsigned options;
        const char *typed;
        bool stays;
    } cases[] = {
        {static_cast<unsigned>(platform::SaveDialogOption::FolderMustExist), "missing/list.csv",
         true},
        {static_cast<unsigned>(platform::SaveDialogOption::FolderMustExist), "list.csv", false},
        {0, "missing/list.csv", false},  // without the flag the caller finds out
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        messages.clear();
        platform::SaveDialogRequest request;
        request.Title = "Export Stock Symbols";
        request.Filters = {{"CSV Files (*.csv)", "*.csv"}};
        request.InitialFolder = dir.path();
        request.Options = c.options;
        platform::SaveFileDialog dialog(request);
        dialog.show();
        auto *name = dialog.findChild<QLineEdit *>("fileNameEdit");
        ASSERT_NE(name, nullptr) << "the dialog's own widgets, not the desktop's";
        name->setText(c.typed);
        dialog.accept();
        EXPECT_EQ(dialog.isVisible(), c.stays);
        EXPECT_EQ(dialog.result(), c.stays ? QDialog::Rejected : QDialog::Accepted);
        ASSERT_EQ(messages.size(), c.stays ? 1u : 0u);
        if (c.stays) {
            EXPECT_EQ(messages[0].caption, "Export Stock Symbols");
            EXPECT_TRUE(messages[0].text.startsWith("The folder " + dir.path() +
                                                    "/missing does "
                                                    "not exist."))
                << messages[0].text.toStdString();
            EXPECT_EQ(messages[0].icon, platform::MessageIcon::Warning);
        }
    }
    platform::SetMessageHandler({});
}
