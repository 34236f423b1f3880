#include "platform/TextPrompt.h"

#include <QInputDialog>
#include <QLineEdit>

namespace platform {

namespace {
TextPromptHandler &Handler()
{
    static TextPromptHandler handler;
    return handler;
}
}  // namespace

std::optional<QString> AskText(const TextPromptRequest &request)
{
    if (Handler())
        return Handler()(request);
    QInputDialog dialog(request.Owner);
    dialog.setWindowTitle(request.Title);
    dialog.setLabelText(request.Label);
    dialog.setTextValue(request.InitialText);
    if (request.MaxLength > 0)
        if (auto *edit = dialog.findChild<QLineEdit *>())
            edit->setMaxLength(request.MaxLength);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void SetTextPromptHandler(TextPromptHandler handler)
{
    Handler() = std::move(handler);
}

}  // namespace platform
