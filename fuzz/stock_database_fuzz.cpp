// data.dat of any bytes: the load never crashes, and what a save writes loads back to the same
// records; once written by the program, the file stays the same through load and save.
#include <cstdint>
#include <cstdlib>

#include <QFile>
#include <QTemporaryDir>

#include "platform/ProgramFolder.h"
#include "store/Module1.h"
#include "store/StockTable.h"

namespace {

QByteArray ReadDatabase()
{
    QFile file(Module1::DatabasePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<QString> Lines()
{
    std::vector<QString> lines;
    for (const StockRecord &r : Stocks()) lines.push_back(Module1::RecordLine(r));
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // In memory where the machine has it: every save syncs, and a disk makes that slow.
    static QTemporaryDir folder(QFile::exists("/dev/shm") ? "/dev/shm/zentrin-fuzz-XXXXXX"
                                                          : QString());
    platform::SetProgramFolderOverride(folder.path());
    {
        QFile file(Module1::DatabasePath());
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    Module1::LoadStockDatabase();
    if (Stocks().Count() > StockTable::MaxRecords)
        std::abort();
    // Different lines may give one record; the reload keeps the first of such copies.
    std::vector<QString> first;
    for (const QString &line : Lines())
        if (std::find(first.begin(), first.end(), line) == first.end())
            first.push_back(line);
    if (!Module1::SaveStockDatabase())
        std::abort();
    Module1::LoadStockDatabase();
    if (Lines() != first)
        std::abort();
    if (!Module1::SaveStockDatabase())
        std::abort();
    const QByteArray saved = ReadDatabase();
    Module1::LoadStockDatabase();
    if (!Module1::SaveStockDatabase() || ReadDatabase() != saved)
        std::abort();
    Stocks().Clear();
    return 0;
}
