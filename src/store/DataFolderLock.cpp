#include "store/DataFolderLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include "store/MdlHelpers.h"

QString DataFolderLock::Path()
{
    return MdlHelpers::AppFile(QStringLiteral("zentrin.lock"));
}

DataFolderLock::DataFolderLock() = default;

DataFolderLock::~DataFolderLock() = default;

DataFolderLock::Result DataFolderLock::TryLock()
{
    if (IsLocked())
        return Result::Locked;
    const QString path = Path();
    QDir().mkpath(QFileInfo(path).path());
    file = std::make_unique<QLockFile>(path);
    // Only a holder that is gone leaves the lock stale. A run takes minutes without touching its
    // lock file, so no age may count either: where the file system keeps no native lock for
    // the live holder (some network folders), the age would be all that decides.
    file->setStaleLockTime(0);
    if (file->tryLock(0))
        return Result::Locked;
    const QLockFile::LockError error = file->error();
    file.reset();
    return error == QLockFile::LockFailedError ? Result::HeldByOther : Result::Unavailable;
}

void DataFolderLock::Unlock()
{
    file.reset();  // the destructor removes the lock file
}

bool DataFolderLock::IsLocked() const
{
    return file && file->isLocked();
}
