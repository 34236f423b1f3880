#pragma once

#include <QString>

// The application title: the caption of every message box of the program and, followed by
// " 2.0", of the main window. The splash window sets it at start.
QString AppTitle();
void SetAppTitle(const QString &title);
