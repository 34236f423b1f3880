#include "store/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <optional>

#include "platform/ProgramFolder.h"

namespace DataFolder {

namespace {

QString Clean(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

std::optional<Choice> &Used()
{
    static std::optional<Choice> choice;
    return choice;
}

}  // namespace

Choice Choose(const QString &given, const QString &programFolder, const QString &userDataFolder)
{
    if (!given.isEmpty())
        return {Clean(given), Kind::Given};
    const QDir beside(programFolder);
    if (QFileInfo(beside.filePath(QStringLiteral("data.dat"))).isFile() ||
        QFileInfo::exists(beside.filePath(QLatin1String(PortableMarker))))
        return {Clean(programFolder), Kind::BesideProgram};
    return {Clean(userDataFolder), Kind::UserData};
}

Choice Choose(const QString &given)
{
    return Choose(given, QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

bool Use(const Choice &choice)
{
    if (!QDir().mkpath(choice.Path) || !QFileInfo(choice.Path).isDir())
        return false;
    platform::SetProgramFolderOverride(choice.Path);
    Used() = choice;
    return true;
}

Choice Current()
{
    const QString folder = platform::ProgramFolder();
    if (Used() && Used()->Path == folder)
        return *Used();
    return {folder, Kind::BesideProgram};
}

QString Describe(const Choice &choice)
{
    const QString path = QDir::toNativeSeparators(choice.Path);
    switch (choice.Why) {
        case Kind::Given:
            return path + QStringLiteral(" (given with --data-dir)");
        case Kind::BesideProgram:
            return path + QStringLiteral(" (beside the program)");
        case Kind::UserData:
            break;
    }
    return path + QStringLiteral(" (your application data)");
}

}  // namespace DataFolder
