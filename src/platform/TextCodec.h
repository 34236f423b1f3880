#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Files hold text in the user's locale encoding (UTF-8 on this desktop); the program works on
// QString. A file that is not valid UTF-8 was written by a single-byte build of the program and
// is read as windows-1252, so its accented letters and typographic quotes survive.
QString DecodeLocaleText(const QByteArray &bytes);
QByteArray EncodeLocaleText(const QString &text);

// How a whole file is to be decoded, so that its lines can be decoded one by one alike.
enum class TextEncoding { Utf8, Windows1252 };
TextEncoding DetectLocaleEncoding(const QByteArray &bytes);
QString DecodeText(const char *bytes, qsizetype size, TextEncoding encoding);

// Single-byte text as browsers read pages declared as ISO-8859-1, US-ASCII or windows-1252:
// 0x80 to 0x9F are the typographic characters of windows-1252 (0x92 is U+2019); the five bytes
// that code page leaves unassigned read as the C1 controls of the same value.
QString DecodeWindows1252(const char *bytes, qsizetype size);
// The character windows-1252 gives a byte (or a numeric character reference) of 0x80 to 0x9F;
// the value itself for every other one.
char32_t Windows1252Character(char32_t value);

// True when no byte is 0x80 or above: the text is the same in every encoding the program reads.
bool IsAscii(const char *bytes, qsizetype size);

// Writes the ASCII bytes as UTF-16 code units to out (room for size of them).
void WidenAscii(const char *bytes, qsizetype size, char16_t *out);

// Strict UTF-8: no overlong forms, surrogates or values past U+10FFFF.
bool IsValidUtf8(const char *bytes, qsizetype size);

// True when EncodeLocaleText writes UTF-8, so that a writer may copy ASCII text as it is and
// encode the rest piece by piece.
bool LocaleIsUtf8();

}  // namespace platform
