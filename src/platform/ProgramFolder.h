#pragma once

#include <QString>

namespace platform {

// The folder of the executable, without a trailing "/". Every file of the program lies in it
// (data.dat, time.txt, temp/). Tests redirect it to a temporary folder.
QString ProgramFolder();

// Redirects ProgramFolder(); an empty path restores the executable's folder.
void SetProgramFolderOverride(const QString &folder);

}  // namespace platform
