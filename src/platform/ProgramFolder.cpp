#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

namespace {
QString &Override()
{
    static QString folder;
    return folder;
}
}  // namespace

QString ProgramFolder()
{
    if (!Override().isEmpty())
        return Override();
    return QCoreApplication::applicationDirPath();
}

void SetProgramFolderOverride(const QString &folder)
{
    QString clean = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
    while (clean.size() > 1 && clean.endsWith(QLatin1Char('/'))) clean.chop(1);
    Override() = clean;
}

}  // namespace platform
