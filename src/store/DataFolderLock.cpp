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
    // A run takes minutes and never touches its lock file meanwhile: with an age limit a second
    // run would take the lock of a live first one. Only a holder that is gone leaves it stale.
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
