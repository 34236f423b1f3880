#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstddef>
#include <string_view>

// File, text and number helpers every file and page of the program goes through. Paths are
// full paths; text is converted from and to the locale encoding at the file boundary.
namespace MdlHelpers {

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

// The longest leading part of the text that forms a number; 0 when there is none. Spaces,
// tabs and line feeds are skipped anywhere; "." is always the decimal point; "E" or "D" start
// an exponent; "&H" and "&O" start a hexadecimal or octal integer. A number too large for a
// double also reads as 0.
double ParseLeadingNumber(QStringView text);
// The same for the bytes of locale-encoded text: the value of ParseLeadingNumber of their
// decoded text, without decoding them (bytes that start with a byte order mark aside: decoding
// drops it, this reads it as the end of the number).
double ParseLeadingNumber(std::string_view bytes);

// Reads a number of the plain shape "-12.34" (at most 15 digits, no exponent, nothing skipped)
// from the start of the bytes into value and returns how many bytes it took; 0, leaving value
// alone, for any other start. Where it returns n, ParseLeadingNumber gives value for the first n
// bytes followed by anything or nothing: the byte after them cannot continue the number.
std::size_t ReadPlainNumber(std::string_view bytes, double &value);

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
