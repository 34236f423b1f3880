#include "platform/Wildcard.h"

namespace platform {

bool WildcardMatch(QStringView pattern, QStringView name)
{
    // Greedy match with back-tracking to the last "*": linear for patterns like "*.dat".
    qsizetype p = 0, n = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size()
                   && (pattern[p] == QLatin1Char('?')
                       || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

}  // namespace platform
