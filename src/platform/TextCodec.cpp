#include "platform/TextCodec.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

namespace {

// windows-1252 at 0x80..0x9F; 0 where the code page assigns nothing.
constexpr char16_t HighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

bool IsAscii(const char *bytes, qsizetype size)
{
    const char *p = bytes;
    const char *const end = bytes + size;
#if defined(__SSE2__)
    // Sixty-four bytes a step: a 7 MB database is mostly ASCII, and one test of the step's
    // four words ORed together is enough.
    for (; end - p >= 64; p += 64) {
        const auto *v = reinterpret_cast<const __m128i *>(p);
        const __m128i any =
            _mm_or_si128(_mm_or_si128(_mm_loadu_si128(v), _mm_loadu_si128(v + 1)),
                         _mm_or_si128(_mm_loadu_si128(v + 2), _mm_loadu_si128(v + 3)));
        if (_mm_movemask_epi8(any) != 0)
            return false;
    }
#endif
    for (; end - p >= 8; p += 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; p < end; ++p)
        if (static_cast<unsigned char>(*p) & 0x80)
            return false;
    return true;
}

void WidenAscii(const char *bytes, qsizetype size, char16_t *out)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; size - i >= 16; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + i));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_unpacklo_epi8(chunk, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i + 8), _mm_unpackhi_epi8(chunk, zero));
    }
#endif
    for (; i < size; ++i) out[i] = static_cast<unsigned char>(bytes[i]);
}

char32_t Windows1252Character(char32_t value)
{
    if (value >= 0x80 && value <= 0x9F && HighControls[value - 0x80])
        return HighControls[value - 0x80];
    return value;
}

QString DecodeWindows1252(const char *bytes, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < size; ++i)
        out[i] = static_cast<char16_t>(Windows1252Character(static_cast<unsigned char>(bytes[i])));
    return text;
}

bool IsValidUtf8(const char *bytes, qsizetype size)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes);
    const auto *end = p + size;
    while (p < end) {
        if (*p < 0x80) {
            const auto *ascii = p;
            while (ascii < end && *ascii < 0x80) ++ascii;
            p = ascii;
            continue;
        }
        const unsigned char c = *p++;
        int more;
        uint32_t code;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (end - p < more)
            return false;
        for (int i = 0; i < more; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        p += more;
        if ((more == 2 && code < 0x800) || (more == 3 && code < 0x10000) || code > 0x10FFFF ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
    }
    return true;
}

TextEncoding DetectLocaleEncoding(const QByteArray &bytes)
{
    if (IsAscii(bytes.constData(), bytes.size()) || IsValidUtf8(bytes.constData(), bytes.size()))
        return TextEncoding::Utf8;
    return TextEncoding::Windows1252;
}

QString DecodeText(const char *bytes, qsizetype size, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1252)
        return DecodeWindows1252(bytes, size);
    return QString::fromUtf8(bytes, size);
}

QString DecodeLocaleText(const QByteArray &bytes)
{
    return DecodeText(bytes.constData(), bytes.size(), DetectLocaleEncoding(bytes));
}

QByteArray EncodeLocaleText(const QString &text)
{
    return text.toLocal8Bit();
}

bool LocaleIsUtf8()
{
    static const bool utf8 = [] {
        const char probe[] = "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
        return DecodeLocaleText(QByteArray(probe)) == QString::fromUtf8(probe) &&
               EncodeLocaleText(QString::fromUtf8(probe)) == QByteArray(probe);
    }();
    return utf8;
}

}  // namespace platform
