#pragma once

#include <QChar>
#include <QString>
#include <cstdint>

namespace lynx {

// The text typed ahead into a grid to jump to a row: letters and digits typed within 999 ms of
// each other add up, a longer pause starts a new text.
class GridTypeAhead {
public:
    // Takes a character key typed at tick `now` (milliseconds of the wrapping tick counter) and
    // returns the text to search for; empty, with nothing remembered, for a key that is no
    // letter or digit.
    QString Type(QChar key, uint32_t now);

    QString Text() const { return text; }

private:
    QString text;
    uint32_t lastTick = 0;
};

}  // namespace lynx
