#include "platform/MarkupDepth.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace platform {

namespace {

// Elements that never hold others, or whose end tag a page may leave out: a browser closes
// them itself, so they add no depth however many there are.
constexpr std::array<std::string_view, 33> FlatElements = {
    "area",  "base",   "br",       "col",      "embed", "hr",     "img",   "input",    "link",
    "meta",  "param",  "source",   "track",    "wbr",   "keygen", "frame", "basefont", "bgsound",
    "p",     "li",     "dt",       "dd",       "td",    "th",     "tr",    "thead",    "tbody",
    "tfoot", "option", "optgroup", "colgroup", "rt",    "rp"};
constexpr std::array<std::string_view, 6> RawTextElements = {"script", "style", "textarea",
                                                             "title",  "xmp",   "noembed"};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsNameChar(char c)
{
    return c != '>' && c != '/' && c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\f';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

template <size_t N>
bool IsOneOf(std::string_view name, const std::array<std::string_view, N> &names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Case-insensitive search for "</name" from p; end when missing.
const char *FindEndTag(const char *p, const char *end, std::string_view name)
{
    while (p < end) {
        p = static_cast<const char *>(std::memchr(p, '<', static_cast<size_t>(end - p)));
        if (!p)
            return end;
        if (end - p > static_cast<ptrdiff_t>(name.size()) + 1 && p[1] == '/') {
            bool same = true;
            for (size_t i = 0; i < name.size() && same; ++i) same = Lower(p[2 + i]) == name[i];
            if (same)
                return p;
        }
        ++p;
    }
    return end;
}

const char *After(const char *p, const char *end, char c)
{
    const char *found = static_cast<const char *>(std::memchr(p, c, static_cast<size_t>(end - p)));
    return found ? found + 1 : end;
}

}  // namespace

int MarkupDepth(QByteArrayView markup, int limit)
{
    const char *p = markup.data();
    const char *const end = p + markup.size();
    int depth = 0;
    int deepest = 0;
    char name[16];
    while (p < end) {
        p = static_cast<const char *>(std::memchr(p, '<', static_cast<size_t>(end - p)));
        if (!p)
            break;
        ++p;
        if (end - p >= 3 && p[0] == '!' && p[1] == '-' && p[2] == '-') {
            const char *close = std::search(p + 3, end, "-->", "-->" + 3);
            p = close == end ? end : close + 3;
            continue;
        }
        if (p < end && (*p == '!' || *p == '?')) {
            p = After(p, end, '>');
            continue;
        }
        const bool closing = p < end && *p == '/';
        if (closing)
            ++p;
        if (p >= end || !IsLetter(*p))
            continue;  // a lone "<" is text
        size_t length = 0;
        bool longName = false;
        for (; p < end && IsNameChar(*p); ++p) {
            if (length < sizeof name)
                name[length++] = Lower(*p);
            else
                longName = true;
        }
        const std::string_view tag = longName ? std::string_view() : std::string_view(name, length);
        const char *tagEnd = After(p, end, '>');
        const bool selfClosed = tagEnd - p >= 2 && tagEnd[-1] == '>' && tagEnd[-2] == '/';
        p = tagEnd;
        if (IsOneOf(tag, FlatElements))
            continue;
        if (closing) {
            depth = std::max(0, depth - 1);
            continue;
        }
        if (selfClosed)
            continue;
        if (IsOneOf(tag, RawTextElements)) {
            p = FindEndTag(p, end, tag);
            continue;
        }
        deepest = std::max(deepest, ++depth);
        if (deepest > limit)
            return limit + 1;
    }
    return deepest;
}

}  // namespace platform
