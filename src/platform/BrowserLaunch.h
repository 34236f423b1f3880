#pragma once

#include <QString>
#include <functional>

namespace platform {

// Opens a web address in the user's default browser and does not wait for it. Whether a
// browser actually opened is not reported: the program has nothing to do about it.
void OpenWebAddress(const QString &address);

using BrowserLauncher = std::function<void(const QString &address)>;
// Replaces the browser launch (tests record the addresses); an empty launcher restores it.
void SetBrowserLauncher(BrowserLauncher launcher);

}  // namespace platform
