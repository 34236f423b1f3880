#include "store/DataFolderLock.h"

#include "store/MdlHelpers.h"

namespace DataFolderLock {

QString Path()
{
    return MdlHelpers::AppFile(QStringLiteral("zentrin.lock"));
}

std::unique_ptr<QLockFile> TryHold()
{
    auto lock = std::make_unique<QLockFile>(Path());
    // A holder may be busy for as long as an update runs: only a dead process frees its lock.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

}  // namespace DataFolderLock
