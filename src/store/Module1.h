#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <array>

#include "store/StockRecord.h"

// The stock database (data.dat) and the update time stamp (time.txt) in the program folder.
namespace Module1 {

// The separator between the nineteen fields of a record line.
inline const QString FieldSeparator = QStringLiteral("~!@");

QString DatabasePath();
QString TimeStampPath();

// Writes the whole stock table to data.dat: an empty first line, then one line per record that
// has a symbol (the load drops the others).
// The old file is replaced only when the new one is completely written; false when the save
// failed (the previous file is then intact).
bool SaveStockDatabase();

// The bytes the save writes in a UTF-8 locale: CR LF, then every record line with a symbol
// followed by CR LF.
QByteArray DatabaseBytes();

// Replaces the stock table with the records of data.dat (blank and duplicate lines dropped,
// every Show flag false). No file, or no record lines, gives an empty table. A file of more
// than 32,767 records loads its first 32,767; the result is the number of record lines left
// out (0 normally). Records without a symbol are dropped and counted in *withoutSymbol (when
// given); of records that a save would write as one line only the first is kept
// (KeptRecords.h).
int LoadStockDatabase(int *withoutSymbol = nullptr);

// At start: removes the temporary files that saves killed before their rename left in the
// program folder and its temp folder (a full-size "data.dat.saving-XXXXXX" among them), unless
// another Zentrin holds the data folder (DataFolderLock), which may be saving this moment.
// Returns how many were removed; -1 when the folder was held.
int RemoveSaveLeftovers();

// Writes the current local date and time to time.txt ("08,Dec 2008 at 09:21:05 AM").
bool WriteTimeStamp();
// The text of such a time stamp.
QString TimeStampText(const QDateTime &when);

// The nineteen fields of a record line or a page row, split at the separator: missing fields
// are empty, fields past the nineteenth are dropped. The views point into line.
using RecordFields = std::array<QStringView, StockRecord::FieldCount>;
RecordFields SplitFields(QStringView line);

// The record line of the database file for one record, and a record read back from one.
QString RecordLine(const StockRecord &record);
StockRecord RecordFromLine(QStringView line);
StockRecord RecordFromFields(const RecordFields &fields);

}  // namespace Module1
