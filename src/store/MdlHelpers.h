#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// File, text and number helpers every file and page of the program goes through. Paths are
// full paths; text is converted from and to the locale encoding at the file boundary.
namespace MdlHelpers {

// The line break of the program's files and messages.
inline const QString CrLf = QStringLiteral("\r\n");

// Program folder + "/" + name.
QString AppFile(const QString &name);

// True when a file or folder of that path exists.
bool FileExists(const QString &path);

// Every line of the file followed by CR LF. A line ends at CR LF or at a lone CR; a lone LF
// stays inside its line. Empty text for a missing, unreadable or empty file.
QString ReadTextFile(const QString &path);

// ReadTextFile split at every CR LF (so a non-empty file ends with one empty element); with
// trim, spaces (U+0020 only) are removed from both ends of every element.
QStringList ReadLines(const QString &path, bool trim);

// Drops every element that is empty after removing spaces from both ends.
QStringList RemoveBlankLines(const QStringList &lines);

// Keeps the first of exact (case-sensitive) copies, in order.
QStringList RemoveDuplicateLines(const QStringList &lines);

// Writes every element followed by CR LF. The file is replaced only once the new content is
// completely written and synced, so a failing write (a full disk among them) leaves the old
// file byte for byte. Returns false on failure (and for an empty path, where nothing is
// written).
bool WriteLines(const QString &path, const QStringList &lines);

// Writes the text followed by CR LF: replacing the file (safely, as WriteLines) or appending
// to it, creating it when missing. Returns false on failure; a failed append leaves the file
// as it was.
bool WriteTextFile(const QString &path, const QString &text, bool append);

// The program's number parse, platform::ParseLeadingNumber (platform/LeadingNumber.h).
double ParseLeadingNumber(QStringView text);

// The text between the first startMarker and the first endMarker after it; empty text when the
// text is blank or either marker is missing.
QString TextBetween(const QString &startMarker, const QString &endMarker, const QString &text);

// Removes every tag, except those whose name (from the comma-separated keepList) follows the
// "<", ignoring letter case; a "<" without a later ">" removes the rest of the text. The text is
// trimmed of spaces and its CR LFs become spaces first. Never returns empty text: a single space
// stands for an empty result. Linear in the length of the text.
QString StripTags(const QString &text, const QString &keepList);

// First character and every character after a space upper case, all others lower case.
QString ProperCase(const QString &text);

// Deletes the files of the folder (a path ending in "/", joined to each name directly) whose
// names match the wildcard pattern ("*", "?", letter case ignored). Returns how many were
// deleted.
int DeleteFiles(const QString &folder, const QString &pattern);

// The number of files in the folder ("/" added unless it ends with one) matching the pattern.
int CountFiles(const QString &folder, const QString &pattern);

// Removes spaces (U+0020 only) from both ends.
QStringView TrimSpaces(QStringView text);

}  // namespace MdlHelpers
