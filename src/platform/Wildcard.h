#pragma once

#include <QStringView>

namespace platform {

// The file system's simple wildcard match: "*" any run of characters (also none), "?" exactly
// one character, everything else itself, letter case ignored.
bool WildcardMatch(QStringView pattern, QStringView name);

}  // namespace platform
