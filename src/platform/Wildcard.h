#pragma once

#include <QStringView>

namespace platform {

// The file system's simple wildcard match: "*" any run of characters (also none), "?" exactly
// one character, everything else itself, letter case ignored.
bool WildcardMatch(QStringView pattern, QStringView name);

// The simple pattern rules of text search: "*" any run of characters (also none), "?" one
// character, "#" one digit 0-9, "[list]" one character of the list and "[!list]" one that is
// not in it, where a list holds characters and ranges like "A-Z". Characters compare as they
// are (upper-case both sides for a search that ignores case). A "[" without its "]" stands for
// itself.
bool PatternMatch(QStringView text, QStringView pattern);

}  // namespace platform
