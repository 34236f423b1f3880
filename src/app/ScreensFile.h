#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "app/ScreenBounds.h"

// A screen the user saved under a name.
struct SavedScreen {
    QString Name;
    ScreenBounds Bounds;

    bool operator==(const SavedScreen &) const = default;
};

// screens.ini beside data.dat: the saved screens, in UTF-8, lines ending with CR LF, meant to be
// read and edited by hand:
//   ; comment lines start with ";" or "#"
//   [Cheap value]
//   MinPrice=0.5
//   MaxPrice=1.5
//   MinPE=10
//   MaxPE=25
// One section per screen, its name between the brackets; MinPrice and MaxPrice always, each with
// a value, then Min<Key> and Max<Key> of each bounded field (MarketCap in millions of dollars);
// numbers with "." as the decimal point. A missing or empty field key is no bound. Keys are matched
// without regard to case, spaces around names, keys and values do not count.
namespace ScreensFile {

QString Path();

QString Text(const std::vector<SavedScreen> &screens);

struct Contents {
    std::vector<SavedScreen> Screens;  // in file order; empty when damaged
    QString Damage;                    // why the text is no screens file; empty when it is one
};

// Anything that does not fit the layout above damages the whole file: a line that is neither a
// comment, a [name] nor a key=value line, an unknown or repeated key, a setting before the first
// name, a nameless screen or one whose name is used twice (case does not count), a value that is
// no finite number, a negative market cap, a minimum above its maximum, a screen without both
// price keys, bytes that are not UTF-8.
Contents Parse(const QByteArray &bytes);

// The file as read; a missing file is an empty list, not damage.
Contents Read();

// Replaces the file safely (the old one stays whole when the write fails); false then.
bool Write(const std::vector<SavedScreen> &screens);

// Why a name cannot be a screen's name, or empty when it can: it must not be blank, nor hold a
// line break or other control character, nor be longer than MaxNameLength.
inline constexpr int MaxNameLength = 60;
QString NameProblem(const QString &name);

}  // namespace ScreensFile
