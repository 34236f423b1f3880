#pragma once

#include <QByteArray>
#include <QString>

// Writing files so that a full disk, a failing device or a killed process never leaves a
// damaged file behind.
namespace platform {

// Replaces the file at path with the bytes: they go to a temporary file beside it
// ("<name>.saving-XXXXXX"), every write, the sync and the close are checked, and only then is
// the temporary file renamed over the old one. On any failure the temporary file is removed,
// the old file stays byte for byte as it was and the result is false. Leftover temporary files
// of earlier saves of the same file (a process killed before its rename) are removed first.
// False for an empty path.
//
// Synced waits for the bytes and the rename to reach the disk before returning. Unsynced skips
// both waits (each costs milliseconds) for files that can be made again, such as downloads: the
// rename still shows either the old file or the whole new one, but a power cut right after may
// lose the new one.
enum class Durability { Synced, Unsynced };
bool ReplaceFile(const QString &path, const QByteArray &bytes,
                 Durability durability = Durability::Synced);

// Appends the bytes to the file, creating it when missing; every write is checked and the file
// synced. A failed append returns false and cuts the file back to its old length.
bool AppendToFile(const QString &path, const QByteArray &bytes);

// The name pattern of ReplaceFile's temporary files for a file name ("data.dat" gives
// "data.dat.saving-??????").
QString TemporaryFilePattern(const QString &fileName);

// Removes the temporary files that ReplaceFile left in the folder when its process was killed
// before the rename (any "NAME.saving-XXXXXX"); returns how many. Only for a folder that no
// other process is saving into at the time.
int RemoveTemporaryFiles(const QString &folder);

// Test seam: after this many more bytes, every write fails as on a full disk (ENOSPC); a
// negative budget (the default) turns the seam off.
void SetWriteBudgetForTests(qint64 bytes);

// Test seam: called by ReplaceFile after the temporary file is complete and synced, right
// before the rename (a crash test kills the process there); null turns it off.
void SetBeforeRenameHookForTests(void (*hook)());

}  // namespace platform
