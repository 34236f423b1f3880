#include <charconv>
#include <cmath>
#include <string>

#include "platform/LeadingNumber.h"

namespace platform {

namespace {

bool IsSkipped(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Reads the characters of the number while skipping blanks between them.
class Cursor {
public:
    explicit Cursor(QStringView text) : p(text.utf16()), end(p + text.size()) {}

    char16_t Peek()
    {
        while (p < end && IsSkipped(*p)) ++p;
        return p < end ? *p : u'\0';
    }
    void Next() { ++p; }

private:
    const char16_t *p;
    const char16_t *end;
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

double ReadInteger(Cursor &cursor, int base)
{
    double value = 0;
    for (int d; (d = DigitValue(cursor.Peek(), base)) >= 0; cursor.Next()) value = value * base + d;
    // Too many digits for a double: no usable number, as for a decimal overflow.
    return std::isfinite(value) ? value : 0;
}

}  // namespace

double ParseLeadingNumber(QStringView text)
{
    Cursor cursor(text);
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

}  // namespace platform
