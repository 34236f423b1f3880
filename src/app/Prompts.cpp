#include "app/Prompts.h"

#include "app/AppTitle.h"
#include "platform/MessageBox.h"

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

bool ConfirmYesNo(const QString &message, const QString &title, QWidget *owner)
{
    return platform::ShowMessage({message, title, MessageButtons::YesNo, MessageIcon::Information},
                                 owner) != MessageAnswer::No;
}

void ShowInformation(const QString &message, QWidget *owner)
{
    platform::ShowMessage({message, AppTitle(), MessageButtons::Ok, MessageIcon::Information},
                          owner);
}

void ShowWarning(const QString &message, QWidget *owner)
{
    platform::ShowMessage({message, AppTitle(), MessageButtons::Ok, MessageIcon::Warning}, owner);
}
