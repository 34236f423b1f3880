#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { Information, Warning, Critical, Question };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    QString text;
    QString caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::Information;
};

// Shows a modal message box and returns the answer. Tests install a handler instead, so no
// test ever opens a real dialog.
MessageAnswer ShowMessage(const MessageRequest &request, QWidget *owner = nullptr);

using MessageHandler = std::function<MessageAnswer(const MessageRequest &)>;
// Replaces the dialog (an empty handler restores it).
void SetMessageHandler(MessageHandler handler);

}  // namespace platform
