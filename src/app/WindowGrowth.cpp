#include "app/WindowGrowth.h"

#include <algorithm>

QRect Grown(const QRect &r, Growths growth, QSize change)
{
    QRect g = r;
    g.translate(growth.testFlag(Growth::MovesRight) ? change.width() : 0,
                growth.testFlag(Growth::MovesDown) ? change.height() : 0);
    if (growth.testFlag(Growth::Widens))
        g.setWidth(std::max(r.width() + change.width(), 0));
    if (growth.testFlag(Growth::Heightens))
        g.setHeight(std::max(r.height() + change.height(), 0));
    return g;
}

void WindowGrowth::Follow(QWidget *control, Growths growth)
{
    if (control && growth != Growths(Growth::Stays))
        controls.emplace_back(control, growth);
}

void WindowGrowth::Resize(QSize windowSize)
{
    const QSize extra(std::max(windowSize.width() - minimum.width(), 0),
                      std::max(windowSize.height() - minimum.height(), 0));
    const QSize change = extra - applied;
    if (change.isNull())
        return;
    applied = extra;
    for (const auto &[control, growth] : controls)
        if (control)
            control->setGeometry(Grown(control->geometry(), growth, change));
}
