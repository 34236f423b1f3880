#pragma once

#include <QString>
#include <memory>

class QLockFile;

// The lock file of the data folder, "zentrin.lock". An update run holds it from start to end,
// and with it the saving of data.dat, so that a timer's update and an open window never write
// the same files at once. A lock left behind by a process that is gone (killed, or its machine
// turned off) is taken over; a live holder keeps it however long its run takes.
class DataFolderLock {
public:
    enum class Result {
        Locked,       // this object holds the lock now (also when it already did)
        HeldByOther,  // another live process (or another object of this one) holds it
        Unavailable,  // no lock file can be made there: the folder is missing or read-only
    };

    static QString Path();

    DataFolderLock();
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock &) = delete;
    DataFolderLock &operator=(const DataFolderLock &) = delete;

    // Tries once, without waiting.
    Result TryLock();
    void Unlock();
    bool IsLocked() const;

private:
    std::unique_ptr<QLockFile> file;
};
