#pragma once

#include <QFlags>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <utility>
#include <vector>

// How a control follows its window growing beyond the window's minimum size: it moves right
// by the extra width and down by the extra height, or takes them into its own size. Controls
// that follow nothing keep their place at the top left.
enum class Growth : unsigned {
    Stays = 0,
    MovesRight = 1u << 0,
    MovesDown = 1u << 1,
    Widens = 1u << 2,
    Heightens = 1u << 3,
};
Q_DECLARE_FLAGS(Growths, Growth)
Q_DECLARE_OPERATORS_FOR_FLAGS(Growths)

// The rectangle r after its window grew by change (negative: shrank back).
QRect Grown(const QRect &r, Growths growth, QSize change);

// The controls of one window that follow its growth. Each is moved and stretched by the change
// since the last resize, so a control placed elsewhere in the meantime (the stacked panels)
// keeps its own place.
class WindowGrowth {
public:
    explicit WindowGrowth(QSize minimum) : minimum(minimum) {}

    QSize Minimum() const { return minimum; }
    void Follow(QWidget *control, Growths growth);
    // The window's new size; a size below the minimum counts as the minimum.
    void Resize(QSize windowSize);
    // What the window has grown by, as applied to the controls.
    QSize Extra() const { return applied; }

private:
    QSize minimum;
    QSize applied{0, 0};
    std::vector<std::pair<QPointer<QWidget>, Growths>> controls;
};
