#include "platform/MessageBox.h"

#include <QMessageBox>

namespace platform {

namespace {
MessageHandler &Handler()
{
    static MessageHandler handler;
    return handler;
}

QMessageBox::Icon ToQt(MessageIcon icon)
{
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

MessageAnswer ShowMessage(const MessageRequest &request, QWidget *owner)
{
    if (Handler())
        return Handler()(request);
    const bool yesNo = request.buttons == MessageButtons::YesNo;
    QMessageBox box(ToQt(request.icon), request.caption, request.text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
    const int answer = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return answer == QMessageBox::No ? MessageAnswer::No : MessageAnswer::Yes;
}

void SetMessageHandler(MessageHandler handler)
{
    Handler() = std::move(handler);
}

}  // namespace platform
