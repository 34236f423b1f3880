#pragma once

#include <QString>

// Which folder holds the program's files (data.dat, time.txt, changes.txt, temp/). A program
// that runs from a folder of its own keeps them beside it, as the build tree and scripts/run do;
// an installed one keeps them among the user's application data.
namespace DataFolder {

// The marker that makes the executable's folder the data folder even before its first data.dat.
inline constexpr const char *PortableMarker = "zentrin.portable";

enum class Kind {
    Given,          // --data-dir
    BesideProgram,  // the executable's folder holds data.dat or the marker
    UserData,       // QStandardPaths::AppDataLocation
};

struct Choice {
    QString Path;  // absolute, cleaned, without a trailing "/"
    Kind Why = Kind::UserData;
};

// The folder for a given --data-dir (empty when none was given; a relative one is taken from
// the current folder), the executable's folder and the user's application data folder.
Choice Choose(const QString &given, const QString &programFolder, const QString &userDataFolder);
// The same for this process: the application's folder and its AppDataLocation. Needs the
// application object (and its name) to exist.
Choice Choose(const QString &given);

// Makes the choice the folder of every file of the program (creating the folder) and
// remembers it; false when the folder cannot be made.
bool Use(const Choice &choice);
// The folder in use: the last one given to Use, otherwise the program folder as it is.
Choice Current();

// "/home/ann/.local/share/Zentrin (your application data)", for the About tab and --help.
QString Describe(const Choice &choice);

}  // namespace DataFolder
