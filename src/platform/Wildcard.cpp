#include "platform/Wildcard.h"

namespace platform {

namespace {

// Greedy match with back-tracking to the last "*": linear for patterns like "*.dat".
// matchOne(pattern, p, c, next) matches character c against the element at p and sets next to
// the element after it.
template <class MatchOne>
bool MatchWithStars(QStringView pattern, QStringView text, MatchOne matchOne)
{
    qsizetype p = 0, t = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        qsizetype next = 0;
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && matchOne(pattern, p, text[t], next)) {
            p = next;
            ++t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

bool MatchFileNameChar(QStringView pattern, qsizetype p, QChar c, qsizetype &next)
{
    next = p + 1;
    return pattern[p] == u'?' || pattern[p].toCaseFolded() == c.toCaseFolded();
}

bool MatchSearchChar(QStringView pattern, qsizetype p, QChar c, qsizetype &next)
{
    const QChar first = pattern[p];
    next = p + 1;
    if (first == u'?')
        return true;
    if (first == u'#')
        return c >= u'0' && c <= u'9';
    if (first == u'[') {
        const qsizetype close = pattern.indexOf(u']', p + 1);
        if (close >= 0) {
            qsizetype i = p + 1;
            const bool negate = i < close && pattern[i] == u'!';
            if (negate)
                ++i;
            bool found = false;
            for (; i < close; ++i) {
                if (i + 2 < close && pattern[i + 1] == u'-') {
                    found = found || (c >= pattern[i] && c <= pattern[i + 2]);
                    i += 2;
                } else {
                    found = found || c == pattern[i];
                }
            }
            next = close + 1;
            return found != negate;
        }
    }
    return c == first;
}

}  // namespace

bool WildcardMatch(QStringView pattern, QStringView name)
{
    return MatchWithStars(pattern, name, MatchFileNameChar);
}

bool PatternMatch(QStringView text, QStringView pattern)
{
    return MatchWithStars(pattern, text, MatchSearchChar);
}

}  // namespace platform
