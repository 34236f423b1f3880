// The classic desktop's button decorations on a DrawingSurface: 3-D edges, the dotted focus
// rectangle and embossed (disabled) text. The colours come from the system colours, so the
// edges follow the desktop's palette.
#include <QList>

#include "platform/DrawingSurface.h"

namespace platform {

namespace {

struct Ring {
    ColorValue topLeft;
    ColorValue bottomRight;
};

// The rings of an edge from the outside in.
QList<Ring> EdgeRings(unsigned edge, unsigned flags)
{
    const unsigned outer = edge & 0x3;
    const unsigned inner = (edge >> 2) & 0x3;
    QList<Ring> rings;
    if (flags & (EdgeMono | EdgeFlat)) {
        // One plain colour per ring that has any bits; an inner ring alone takes the outer
        // ring's place but keeps its inner colour.
        const bool mono = flags & EdgeMono;
        // The window-frame colour of the classic schemes, which is black in every one of them;
        // the palette's nearest role is a mid grey on this desktop.
        const ColorValue frame = mono ? RgbColor(0, 0, 0) : SystemColor(SysButtonShadow);
        const ColorValue fill = SystemColor(mono ? SysWindow : SysButtonFace);
        if (outer)
            rings.append({frame, frame});
        if (inner)
            rings.append({fill, fill});
        return rings;
    }
    auto outerRing = [](unsigned bits) -> Ring {
        if (bits == EdgeRaisedOuter)
            return {SystemColor(SysLight), SystemColor(SysDarkShadow)};
        return {SystemColor(SysButtonShadow), SystemColor(SysButtonHighlight)};
    };
    auto innerRing = [](unsigned bits) -> Ring {
        if (bits == 1)
            return {SystemColor(SysButtonHighlight), SystemColor(SysButtonShadow)};
        return {SystemColor(SysDarkShadow), SystemColor(SysLight)};
    };
    // A ring asked for both raised and sunken has no look; with the outer one so, the inner
    // one is dropped as well.
    if (outer == 3)
        return rings;
    if (outer)
        rings.append(outerRing(outer));
    if (inner == 1 || inner == 2)
        rings.append(innerRing(inner));
    return rings;
}

// How far EdgeAdjust moves each drawn side in: one pixel per ring the edge names, drawn or
// not.
int AdjustWidth(unsigned edge)
{
    const bool outer = edge & 0x3, inner = edge & 0xC;
    return (outer || inner ? 1 : 0) + (outer && inner ? 1 : 0);
}

QRect Shrunk(const QRect &r, int by, unsigned flags)
{
    return RectLTRB(r.left() + ((flags & EdgeLeft) ? by : 0),
                    r.top() + ((flags & EdgeTop) ? by : 0),
                    r.left() + r.width() - ((flags & EdgeRight) ? by : 0),
                    r.top() + r.height() - ((flags & EdgeBottom) ? by : 0));
}

}  // namespace

QRect DrawingSurface::DrawEdge(const QRect &rect, unsigned edge, unsigned flags)
{
    const QList<Ring> rings = EdgeRings(edge, flags);
    for (int i = 0; i < rings.size(); ++i) {
        // Each ring lies inside the one before it on the sides that are drawn.
        const QRect r = Shrunk(rect, i, flags);
        if (r.width() <= 0 || r.height() <= 0)
            break;
        const int l = r.left(), t = r.top(), rt = l + r.width(), b = t + r.height();
        if (flags & EdgeTop)
            FillRect(RectLTRB(l, t, rt, t + 1), rings[i].topLeft);
        if (flags & EdgeLeft)
            FillRect(RectLTRB(l, t, l + 1, b), rings[i].topLeft);
        if (flags & EdgeBottom)
            FillRect(RectLTRB(l, b - 1, rt, b), rings[i].bottomRight);
        if (flags & EdgeRight)
            FillRect(RectLTRB(rt - 1, t, rt, b), rings[i].bottomRight);
    }
    const QRect inside = Shrunk(rect, AdjustWidth(edge), flags);
    if (flags & EdgeMiddle)
        FillRect(inside, SystemColor((flags & EdgeMono) ? SysWindow : SysButtonFace));
    return (flags & EdgeAdjust) ? inside : rect;
}

void DrawingSurface::DrawFocusRect(const QRect &rect, ColorValue textColor, ColorValue backColor)
{
    QRgb text, back;
    if (rect.width() <= 0 || rect.height() <= 0 || !Resolve(textColor, text) ||
        !Resolve(backColor, back))
        return;
    const int l = rect.left(), t = rect.top();
    const int r = l + rect.width() - 1, b = t + rect.height() - 1;
    auto dot = [&](int x, int y) {
        if (!image.rect().contains(x, y) || (clip && !clip->contains(x, y)))
            return;
        QRgb &px = reinterpret_cast<QRgb *>(image.scanLine(y))[x];
        const QRgb pattern = ((x + y) & 1) == 0 ? back : text;
        px = ((px ^ pattern) & 0x00FFFFFFu) | 0xFF000000u;
    };
    // Every frame pixel exactly once, so a second call undoes the first.
    for (int x = l; x <= r; ++x) {
        dot(x, t);
        if (b != t)
            dot(x, b);
    }
    for (int y = t + 1; y < b; ++y) {
        dot(l, y);
        if (r != l)
            dot(r, y);
    }
}

int DrawingSurface::DrawDisabledText(const QString &text, const QRect &rect, unsigned flags)
{
    const ColorValue saved = foreColor;
    foreColor = SystemColor(SysButtonHighlight);
    DrawText(text, rect.translated(1, 1), flags);
    foreColor = SystemColor(SysButtonShadow);
    const int height = DrawText(text, rect, flags);
    foreColor = saved;
    return height;
}

}  // namespace platform
