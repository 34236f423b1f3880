#include "app/SavedScreens.h"

#include <QFile>
#include <algorithm>

void SavedScreens::Load()
{
    ScreensFile::Contents contents = ScreensFile::Read();
    screens = std::move(contents.Screens);
    damage = std::move(contents.Damage);
}

const SavedScreen *SavedScreens::Find(const QString &name) const
{
    const auto it = std::find_if(screens.begin(), screens.end(), [&](const SavedScreen &s) {
        return s.Name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == screens.end() ? nullptr : &*it;
}

bool SavedScreens::Save(const SavedScreen &screen)
{
    std::vector<SavedScreen> next = screens;
    if (const SavedScreen *same = Find(screen.Name)) {
        next[static_cast<size_t>(same - screens.data())] = screen;
    } else {
        const auto at = std::find_if(next.begin(), next.end(), [&](const SavedScreen &s) {
            return s.Name.compare(screen.Name, Qt::CaseInsensitive) > 0;
        });
        next.insert(at, screen);
    }
    if (!damage.isEmpty() && QFile::exists(ScreensFile::Path())) {
        // The user may have hand-edited hours of work into it: it goes aside, not away.
        const QString copy = DamagedCopyPath();
        QFile::remove(copy);
        if (!QFile::copy(ScreensFile::Path(), copy))
            return false;
    }
    return Write(std::move(next));
}

bool SavedScreens::Delete(const QString &name)
{
    const SavedScreen *found = Find(name);
    if (!found)
        return false;
    std::vector<SavedScreen> next = screens;
    next.erase(next.begin() + (found - screens.data()));
    return Write(std::move(next));
}

QString SavedScreens::DamagedCopyPath()
{
    return ScreensFile::Path() + QStringLiteral(".damaged");
}

bool SavedScreens::Write(std::vector<SavedScreen> next)
{
    if (!ScreensFile::Write(next))
        return false;
    screens = std::move(next);
    damage.clear();
    return true;
}
