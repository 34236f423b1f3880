#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// The lock by which a running Zentrin holds its data folder: "zentrin.lock" in the program
// folder. A lock whose process is gone is taken over.
namespace DataFolderLock {

QString Path();

// The lock, held until the result is destroyed; null when another Zentrin holds it (or the
// folder cannot take a lock file).
std::unique_ptr<QLockFile> TryHold();

}  // namespace DataFolderLock
