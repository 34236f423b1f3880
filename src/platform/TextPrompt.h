#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace platform {

struct TextPromptRequest {
    QWidget *Owner = nullptr;
    QString Title;
    QString Label;
    QString InitialText;
    int MaxLength = 0;  // 0: no limit
};

// Asks for one line of text in a modal dialog with OK and Cancel; nullopt when cancelled. Tests
// install a handler instead, so no test ever opens a real dialog.
std::optional<QString> AskText(const TextPromptRequest &request);

using TextPromptHandler = std::function<std::optional<QString>(const TextPromptRequest &)>;
// Replaces the dialog (an empty handler restores it).
void SetTextPromptHandler(TextPromptHandler handler);

}  // namespace platform
