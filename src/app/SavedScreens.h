#pragma once

#include <QString>
#include <vector>

#include "app/ScreensFile.h"

// The saved screens the window offers, kept in step with screens.ini.
class SavedScreens {
public:
    // Reads screens.ini. A damaged file gives no screens and is left as it is until a screen is
    // saved.
    void Load();

    // In name order for the screens saved here; a hand-edited file keeps its own order.
    const std::vector<SavedScreen> &Screens() const { return screens; }
    // Why screens.ini could not be read; empty when it could or is missing.
    const QString &Damage() const { return damage; }
    // The screen of that name (case does not count), or null.
    const SavedScreen *Find(const QString &name) const;

    // Stores the screen, replacing the one of the same name (case does not count), and rewrites
    // screens.ini. A damaged file is first kept as DamagedCopyPath(). False when the file could
    // not be written (or the damaged one not kept): then nothing changed, here or on disk.
    bool Save(const SavedScreen &screen);
    // Removes the screen of that name and rewrites screens.ini; false when there is none or the
    // file could not be written (nothing changed then).
    bool Delete(const QString &name);

    static QString DamagedCopyPath();

private:
    bool Write(std::vector<SavedScreen> next);

    std::vector<SavedScreen> screens;
    QString damage;
};
