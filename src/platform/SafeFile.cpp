#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstdlib>

#include "platform/Wildcard.h"

namespace platform {

namespace {

const QString TemporaryInfix = QStringLiteral(".saving-");

std::atomic<qint64> &WriteBudget()
{
    static std::atomic<qint64> budget{-1};
    return budget;
}

// write() may put fewer bytes than asked on disk without an error (a nearly full disk): only a
// loop over the rest tells a full disk apart, and the seam takes the same road.
bool WriteAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        qint64 chunk = size;
        const qint64 budget = WriteBudget().load();
        if (budget >= 0) {
            if (budget == 0) {
                errno = ENOSPC;
                return false;
            }
            chunk = std::min(chunk, budget);
            WriteBudget().store(budget - chunk);
        }
        const ssize_t written = ::write(fd, data, static_cast<size_t>(chunk));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

std::atomic<void (*)()> &BeforeRenameHook()
{
    static std::atomic<void (*)()> hook{nullptr};
    return hook;
}

// Removes the files of the folder whose names match the pattern; returns how many.
int RemoveMatching(const QString &folder, const QString &pattern)
{
    const QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    int removed = 0;
    for (const QString &name : names)
        if (WildcardMatch(pattern, name) && QFile::remove(folder + QLatin1Char('/') + name))
            ++removed;
    return removed;
}

// A rename is durable only once the folder holding the new name is synced.
void SyncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

QString TemporaryFilePattern(const QString &fileName)
{
    return fileName + TemporaryInfix + QStringLiteral("??????");
}

int RemoveTemporaryFiles(const QString &folder)
{
    return RemoveMatching(folder, TemporaryFilePattern(QStringLiteral("?*")));
}

void SetBeforeRenameHookForTests(void (*hook)())
{
    BeforeRenameHook().store(hook);
}

void SetWriteBudgetForTests(qint64 bytes)
{
    WriteBudget().store(bytes < 0 ? -1 : bytes);
}

bool ReplaceFile(const QString &path, const QByteArray &bytes, Durability durability)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.isDir())
        return false;
    const QString folder = info.absolutePath();
    RemoveMatching(folder, TemporaryFilePattern(info.fileName()));

    QByteArray temporary =
        QFile::encodeName(folder + QLatin1Char('/') + info.fileName() + TemporaryInfix) + "XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    // mkstemp creates the file 0600; a replaced file keeps the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    bool ok = WriteAll(fd, bytes.constData(), bytes.size());
    // The data and what is needed to read them back (size, blocks) reach the disk before the
    // rename; the file's times need not, so fdatasync spares a second metadata write.
    ok = ok && (durability == Durability::Unsynced || ::fdatasync(fd) == 0);
    ok = (::close(fd) == 0) && ok;
    if (ok)
        if (void (*hook)() = BeforeRenameHook().load())
            hook();
    ok = ok && ::rename(temporary.constData(), QFile::encodeName(path).constData()) == 0;
    if (!ok) {
        const int error = errno;
        ::unlink(temporary.constData());
        errno = error;
        return false;
    }
    if (durability == Durability::Synced)
        SyncFolder(QFile::encodeName(folder));
    return true;
}

bool AppendToFile(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const off_t oldSize = ::lseek(fd, 0, SEEK_END);
    bool ok = oldSize >= 0 && WriteAll(fd, bytes.constData(), bytes.size());
    ok = ok && ::fsync(fd) == 0;
    if (!ok && oldSize >= 0 && ::ftruncate(fd, oldSize) == 0)
        ::fsync(fd);
    ok = (::close(fd) == 0) && ok;
    return ok;
}

}  // namespace platform
