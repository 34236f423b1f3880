#pragma once

#include <QString>

class QWidget;

// The program's own message boxes, captioned with the application title unless said otherwise.

// Asks with Yes and No and the information icon; true for every answer except No.
bool ConfirmYesNo(const QString &message, const QString &title, QWidget *owner = nullptr);

// Tells with an OK button and the information icon.
void ShowInformation(const QString &message, QWidget *owner = nullptr);

// Tells with an OK button and the warning icon.
void ShowWarning(const QString &message, QWidget *owner = nullptr);
