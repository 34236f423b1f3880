#include "grid/GridTypeAhead.h"

#include "platform/Clock.h"

namespace lynx {

namespace {
constexpr uint32_t TypingPause = 999;  // ms; a longer pause starts a new text
}

QString GridTypeAhead::Type(QChar key, uint32_t now)
{
    if (!key.isLetterOrNumber())
        return QString();
    if (platform::TicksSince(lastTick, now) > TypingPause)
        text = key;
    else
        text += key;
    lastTick = now;
    return text;
}

}  // namespace lynx
