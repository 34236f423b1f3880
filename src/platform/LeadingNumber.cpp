#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>

#include "platform/LeadingNumber.h"

namespace platform {

namespace {

// The same code reads UTF-16 text and the bytes of locale text: every character a number is made
// of is ASCII, and no byte of a multi-byte character is, so both stop at the same place.
template <class Char>
bool IsSkipped(Char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// Reads the characters of the number while skipping blanks between them.
template <class Char>
class Cursor {
public:
    Cursor(const Char *first, const Char *last) : p(first), end(last) {}

    char16_t Peek()
    {
        while (p < end && IsSkipped(*p)) ++p;
        return p < end ? static_cast<char16_t>(*p) : u'\0';
    }
    void Next() { ++p; }

private:
    const Char *p;
    const Char *end;
};

// A short ASCII text on the stack that spills to the heap when it must.
class NumberText {
public:
    void operator+=(char c)
    {
        if (size < static_cast<int>(sizeof local))
            local[size] = c;
        else
            spill(c);
        ++size;
    }
    void append(const NumberText &other)
    {
        for (int i = 0; i < other.size; ++i) *this += other.data()[i];
    }
    const char *data() const
    {
        return size <= static_cast<int>(sizeof local) ? local : heap.data();
    }
    int length() const { return size; }
    char operator[](int i) const { return data()[i]; }

private:
    void spill(char c)
    {
        if (heap.empty())
            heap.assign(local, sizeof local);
        heap += c;
    }
    char local[64];
    std::string heap;
    int size = 0;
};

template <class Char>
double ReadInteger(Cursor<Char> &cursor, int base)
{
    double value = 0;
    for (int d; (d = DigitValue(cursor.Peek(), base)) >= 0; cursor.Next()) value = value * base + d;
    // Too many digits for a double: no usable number, as for a decimal overflow.
    return std::isfinite(value) ? value : 0;
}

// The common shape of the program's numbers, "-12.34" with nothing skipped inside and no
// exponent, read without collecting its characters. Up to 15 digits the digits form an integer
// a double holds exactly, and so does 10^k up to 10^22: one correctly rounded division then gives
// the very double the general conversion gives. Returns how many characters it read, or 0 for
// any other shape (a blank or an exponent letter right after the digits among them).
template <class Char>
std::size_t PlainDecimal(const Char *const begin, const Char *const end, double &value)
{
    const Char *p = begin;
    const bool negative = p < end && *p == '-';
    p += negative;
    std::uint64_t digits = 0;
    const Char *const integerStart = p;
    for (unsigned d; p < end && (d = static_cast<unsigned>(*p) - '0') <= 9; ++p)
        digits = digits * 10 + d;
    std::ptrdiff_t count = p - integerStart;
    std::ptrdiff_t decimals = 0;
    if (p < end && *p == '.') {
        const Char *const fractionStart = ++p;
        for (unsigned d;
             p < end && (d = static_cast<unsigned>(*p) - '0') <= 9 && p - integerStart < 17; ++p)
            digits = digits * 10 + d;
        decimals = p - fractionStart;
        count += decimals;
    }
    if (count == 0 || count > 15)
        return 0;
    if (p < end) {
        const Char c = *p;
        if (IsSkipped(c) || c == 'E' || c == 'e' || c == 'D' || c == 'd' ||
            static_cast<unsigned>(c) - '0' <= 9)
            return 0;
    }
    const double magnitude = decimals > 0 ? static_cast<double>(digits) / ExactPowersOfTen[decimals]
                                          : static_cast<double>(digits);
    value = negative ? -magnitude : magnitude;
    return static_cast<std::size_t>(p - begin);
}

template <class Char>
[[gnu::noinline]] double ParseNumber(const Char *begin, const Char *end)
{
    Cursor<Char> cursor(begin, end);
    if (cursor.Peek() == u'&') {
        cursor.Next();
        const char16_t kind = cursor.Peek();
        if (kind == u'H' || kind == u'h') {
            cursor.Next();
            return ReadInteger(cursor, 16);
        }
        if (kind == u'O' || kind == u'o') {
            cursor.Next();
            return ReadInteger(cursor, 8);
        }
        return 0;
    }

    // Collect the accepted characters, then convert them in one go (locale independent).
    // Real numbers fit the buffer on the stack; only absurdly long digit runs allocate.
    NumberText number;
    char16_t c = cursor.Peek();
    if (c == u'+' || c == u'-') {
        if (c == u'-')
            number += '-';
        cursor.Next();
    }
    bool anyDigit = false;
    bool seenPoint = false;
    for (c = cursor.Peek();; c = cursor.Peek()) {
        if (c >= u'0' && c <= u'9') {
            number += static_cast<char>(c);
            anyDigit = true;
        } else if (c == u'.' && !seenPoint) {
            number += '.';
            seenPoint = true;
        } else {
            break;
        }
        cursor.Next();
    }
    if (!anyDigit)
        return 0;
    if (c == u'E' || c == u'e' || c == u'D' || c == u'd') {
        cursor.Next();
        NumberText exponent;
        exponent += 'e';
        c = cursor.Peek();
        if (c == u'+' || c == u'-') {
            exponent += static_cast<char>(c);
            cursor.Next();
        }
        bool exponentDigit = false;
        for (c = cursor.Peek(); c >= u'0' && c <= u'9'; c = cursor.Peek()) {
            exponent += static_cast<char>(c);
            exponentDigit = true;
            cursor.Next();
        }
        if (exponentDigit)
            number.append(exponent);
    }

    const char *first = number.data() + (number[0] == '-');
    double value = 0;
    const auto [ptr, ec] = std::from_chars(first, number.data() + number.length(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Tiny magnitudes are zero; huge ones are no usable number either.
        return 0;
    }
    if (ec != std::errc())
        return 0;
    return number[0] == '-' ? -value : value;
}

}  // namespace

int DigitValue(char16_t c, int base)
{
    int v = -1;
    if (c >= u'0' && c <= u'9')
        v = c - u'0';
    else if (c >= u'a' && c <= u'f')
        v = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        v = c - u'A' + 10;
    return v < base ? v : -1;
}

double ParseLeadingNumber(QStringView text)
{
    const char16_t *begin = text.utf16();
    if (double value; PlainDecimal(begin, begin + text.size(), value))
        return value;
    return ParseNumber(begin, begin + text.size());
}

double ParseLeadingNumber(std::string_view bytes)
{
    if (double value; PlainDecimal(bytes.data(), bytes.data() + bytes.size(), value))
        return value;
    return ParseNumber(bytes.data(), bytes.data() + bytes.size());
}

std::size_t ReadPlainDecimal(const char *begin, const char *end, double &value)
{
    return PlainDecimal(begin, end, value);
}

}  // namespace platform
