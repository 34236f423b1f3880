#include "grid/GridPainter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "grid/GridLayout.h"
#include "grid/GridMetrics.h"
#include "grid/GridModel.h"
#include "grid/GridProperties.h"
#include "platform/DisplayFormat.h"
#include "platform/DrawingSurface.h"
#include "platform/ImageList.h"
#include "platform/Rounding.h"

namespace lynx {

namespace {

using platform::DrawingSurface;
using platform::RectLTRB;

platform::ColorValue C(ColorValue c)
{
    return static_cast<platform::ColorValue>(c);
}

constexpr platform::ColorValue White = 0xFFFFFF;
constexpr platform::ColorValue Black = 0;
const platform::ColorValue ButtonShadow = platform::SystemColor(platform::SysButtonShadow);

void HLine(DrawingSurface &s, int x1, int x2, int y, platform::ColorValue color)
{
    s.DrawLine(x1, y, x2, y, color);
}

void VLine(DrawingSurface &s, int x, int y1, int y2, platform::ColorValue color)
{
    s.DrawLine(x, y1, x, y2, color);
}

// What the desktop's style draws into a rectangle of the given size, on a transparent scratch
// image (so that the style cannot draw outside it). Nothing without a style.
template <class Draw>
std::optional<QImage> StyleImage(QSize size, const QStyle *style, Draw draw)
{
    if (!style || size.width() <= 0 || size.height() <= 0)
        return std::nullopt;
    QImage scratch(size, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    {
        QPainter p(&scratch);
        draw(p, QRect(QPoint(0, 0), size));
    }
    return scratch;
}

template <class Draw>
bool DrawThemed(DrawingSurface &s, const QRect &rect, const QStyle *style, Draw draw)
{
    const std::optional<QImage> image = StyleImage(rect.size(), style, draw);
    if (image)
        s.DrawPicture(*image, rect.left(), rect.top());
    return image.has_value();
}

std::optional<QImage> HeaderImage(QSize size, HeaderState state, const QStyle *style,
                                  const QPalette &palette)
{
    return StyleImage(size, style, [&](QPainter &p, const QRect &r) {
        QStyleOptionHeader option;
        option.rect = r;
        option.palette = palette;
        option.state = QStyle::State_Enabled | QStyle::State_Horizontal;
        if (state == HeaderState::Hot)
            option.state |= QStyle::State_MouseOver;
        option.state |= state == HeaderState::Pressed ? QStyle::State_Sunken : QStyle::State_Raised;
        style->drawControl(QStyle::CE_HeaderSection, &option, &p, nullptr);
    });
}

// False when there is no style, and for a hot or pressed look the style draws exactly like the
// normal one (Fusion and Windows draw header sections alike in every state): the flat looks
// show those states instead, so that a click on a heading is seen at once.
bool DrawThemedHeader(DrawingSurface &s, const QRect &rect, HeaderState state, const QStyle *style)
{
    const std::optional<QImage> look = HeaderImage(rect.size(), state, style, s.Palette());
    if (!look)
        return false;
    if (state != HeaderState::Normal &&
        *look == HeaderImage(rect.size(), HeaderState::Normal, style, s.Palette()))
        return false;
    s.DrawPicture(*look, rect.left(), rect.top());
    return true;
}

// The flat check box of the desktop's frame controls: a frame in the shadow colour around the
// window colour, a tick in the window text colour when checked. Square, at the top left of
// the rectangle, as big as its smaller side.
void DrawFlatCheckBox(DrawingSurface &s, const QRect &rect, bool checked)
{
    const int n = std::min(rect.width(), rect.height());
    if (n <= 2)
        return;
    const QRect box(rect.left(), rect.top() + (rect.height() - n) / 2, n, n);
    s.FrameRect(box, ButtonShadow);
    s.FillRect(box.adjusted(1, 1, -1, -1), platform::SystemColor(platform::SysWindow));
    if (!checked)
        return;
    const platform::ColorValue tick = platform::SystemColor(platform::SysWindowText);
    const int m = std::max(2, n / 4);
    const int l = box.left(), t = box.top();
    const QPoint a(l + m, t + n / 2), b(l + n / 2 - 1, t + n - m - 1), c(l + n - m - 1, t + m);
    const int width = n >= 12 ? 2 : 1;
    s.DrawLine(a.x(), a.y(), b.x(), b.y(), tick, width);
    s.DrawLine(b.x(), b.y(), c.x(), c.y(), tick, width);
}

void DrawCheckBox(DrawingSurface &s, const QRect &rect, bool checked, const GridPaintView &view)
{
    const int themeStyle = view.Properties.ThemeStyle;
    if (themeStyle == 2 || themeStyle == 3) {
        const bool drawn = DrawThemed(s, rect, view.Style, [&](QPainter &p, const QRect &r) {
            QStyleOptionButton option;
            const int n = std::min(r.width(), r.height());
            option.rect = QRect(0, (r.height() - n) / 2, n, n);
            option.palette = s.Palette();
            option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
            view.Style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &p, nullptr);
        });
        if (drawn)
            return;
    }
    DrawFlatCheckBox(s, rect, checked);
}

void DrawImage(DrawingSurface &s, const GridPaintView &view, int number, int x, int y,
               bool selected)
{
    if (view.Images)
        view.Images->Draw(
            s, std::abs(number), QPoint(x, y),
            selected ? platform::ImageList::DrawSelected : platform::ImageList::DrawTransparent);
}

void DrawCellText(DrawingSurface &s, const QString &text, const QRect &rect, unsigned flags)
{
    // Cell and heading texts are data: an "&" is shown, not taken as an access key.
    s.DrawText(text, rect, flags | platform::TextNoPrefix);
}

// The three bright lines along the bottom of a hot header cell.
void DrawHotLines(DrawingSurface &s, const QRect &rect)
{
    const int l = rect.left(), r = l + rect.width(), b = rect.top() + rect.height();
    HLine(s, l + 2, r - 2, b - 1, 0x19B1F9);
    HLine(s, l + 1, r - 1, b - 2, 0x47C2FC);
    HLine(s, l, r, b - 3, 0x00A9F8);
}

void DrawPushHeader(DrawingSurface &s, const QRect &rect, HeaderState state, bool flat)
{
    using namespace platform;
    switch (state) {
        case HeaderState::Pressed:
            s.DrawEdge(rect, EdgeSunken, EdgeRect | EdgeMiddle);
            break;
        case HeaderState::Hot:
            // The raised edge alone is also the normal look of the push buttons.
            s.DrawEdge(rect, EdgeRaised, EdgeRect | EdgeMiddle);
            DrawHotLines(s, rect);
            break;
        case HeaderState::Normal:
            s.DrawEdge(rect, EdgeRaised, EdgeRect | EdgeMiddle | (flat ? EdgeFlat : 0u));
            break;
    }
}

HeaderState StateOf(const GridPaintView &view, int position)
{
    if (position == view.PressedHeader)
        return HeaderState::Pressed;
    if (position == view.HotHeader)
        return HeaderState::Hot;
    return HeaderState::Normal;
}

int VisibleRight(const GridModel &model, int horizontalPosition)
{
    int x = 0;
    for (int p = std::max(horizontalPosition, 0); p <= model.Cols(); ++p) {
        const GridColumn *column = model.FindColumnAt(p);
        if (column && column->Visible)
            x += column->WidthPixels;
    }
    return x;
}

void DrawCells(DrawingSurface &s, const GridPaintView &view, const GridItem &item, int y,
               int rowHeight, bool selected, int horizontalPosition)
{
    const GridModel &model = view.Model;
    const GridProperties &props = view.Properties;
    const GridMetrics &metrics = view.Metrics;
    const QFont base = s.Font();
    // The font changes only where a cell's looks differ from the last cell's.
    const quint16 baseLooks = (base.bold() ? CellFlagBold : 0) |
                              (base.italic() ? CellFlagItalic : 0) |
                              (base.underline() ? CellFlagUnderline : 0);
    quint16 fontLooks = baseLooks;
    int x = 0;
    for (int p = std::max(horizontalPosition, 0); p <= model.Cols(); ++p) {
        const int slot = model.ColumnOrder()[static_cast<std::size_t>(p)];
        const GridColumn *column = model.FindColumn(slot);
        if (!column || !column->Visible)
            continue;
        const int w = column->WidthPixels;
        const GridCell *cell = model.FindCell(item, slot);
        if (!cell) {
            x += w;
            continue;
        }
        const QRect cellRect(x, y, w, rowHeight);
        s.SetClipRect(cellRect);
        const CellStyle *style = model.FindStyle(cell->StyleIndex);
        if (selected) {
            s.SetForeColor(C(props.ForeColorSel));
        } else if (style) {
            if (style->BackColor != props.BackColor)
                s.FillRect(cellRect, C(style->BackColor));
            s.SetForeColor(C(style->ForeColor));
        } else {
            s.SetForeColor(C(props.ForeColor));
        }

        QRect textRect = RectLTRB(x + 3, y, x + w - 3, y + rowHeight);
        if (p == 0) {
            if (props.CheckBoxes) {
                DrawCheckBox(s, RectLTRB(3, y, metrics.CheckSize, y + rowHeight),
                             (item.Flags & ItemFlagChecked) != 0, view);
            }
            if (metrics.ImageTop > 0 && item.Image != 0)
                DrawImage(s, view, item.Image, metrics.CheckTextLeft, y + metrics.ImageTop,
                          selected);
            textRect = RectLTRB(metrics.TextLeft + 3, y, x + w - 3, y + rowHeight);
        }

        switch (column->DataType) {
            case TypeCheckBox: {
                const QRect box =
                    CellGlyphRect(column->LeftPixels, w, y, rowHeight, column->Alignment,
                                  QSize(metrics.CheckSize, metrics.CheckSize));
                DrawCheckBox(s, box, (cell->Flags & CellFlagChecked) != 0, view);
                break;
            }
            case TypeProgressBar:
                if (cell->Progress > 0) {
                    const int bar =
                        static_cast<int>(platform::RoundHalfEven((w - 2) / 100.0 * cell->Progress));
                    s.FillRect(RectLTRB(x + 2, y + 2, x + bar, y + rowHeight - 2),
                               C(props.ProgressBarColor));
                }
                break;
            default: {
                const quint16 looks =
                    cell->Flags & (CellFlagBold | CellFlagItalic | CellFlagUnderline);
                if (looks != fontLooks) {
                    QFont font = base;
                    font.setBold((looks & CellFlagBold) != 0);
                    font.setItalic((looks & CellFlagItalic) != 0);
                    font.setUnderline((looks & CellFlagUnderline) != 0);
                    s.SetFont(font);
                    fontLooks = looks;
                }
                const bool wraps =
                    rowHeight > 2 * metrics.CharHeight && (cell->Flags & CellFlagWordWrap);
                const unsigned flags = static_cast<unsigned>(cell->Alignment) |
                                       (wraps ? platform::TextWordBreak : metrics.TextFormatFlags);
                if (style && style->Image != 0) {
                    const QRect r =
                        CellGlyphRect(column->LeftPixels, w, y, rowHeight, column->ImageAlignment,
                                      QSize(metrics.ImageWidth, metrics.ImageHeight));
                    if (r.left() >= 0) {
                        DrawImage(s, view, style->Image, r.left(), y + metrics.ImageTop, selected);
                        switch (column->ImageAlignment) {
                            case 0:
                            case 4:
                            case 8:
                                textRect.setLeft(textRect.left() + metrics.ImageWidth);
                                break;
                            case 2:
                            case 6:
                            case 10:
                                textRect.setRight(textRect.right() - metrics.ImageWidth);
                                break;
                            default:
                                break;
                        }
                    }
                }
                const QString text = model.CellString(*cell);
                DrawCellText(s, DisplayText(text, column->Format), textRect, flags);
                break;
            }
        }
        x += w;
    }
    s.ClearClip();
    if (fontLooks != baseLooks)
        s.SetFont(base);
}

}  // namespace

int AssignColumnLefts(GridModel &model, int horizontalPosition)
{
    int x = 0;
    for (int p = std::max(horizontalPosition, 0); p <= model.Cols(); ++p) {
        GridColumn &column = model.Column(model.ColumnSlotAt(p));
        if (!column.Visible)
            continue;
        column.LeftPixels = x;
        x += column.WidthPixels;
    }
    return x;
}

QRect CellGlyphRect(int left, int width, int top, int height, int alignment, QSize object)
{
    const int w = object.width(), h = object.height();
    int x = 0, y = 0;
    const auto round = [](double v) { return static_cast<int>(platform::RoundHalfEven(v)); };
    // Alignment codes: the column of a 4-wide table (left, centre, right) and its row (top,
    // middle, bottom); 3, 7 and anything past 10 place nothing.
    if (alignment < 0 || alignment > 10 || alignment % 4 == 3)
        return QRect(0, 0, w, h);
    switch (alignment % 4) {
        case 0:
            x = left + 1;
            break;
        case 1:
            x = round(width / 2.0 + left - w / 2.0);
            break;
        default:
            x = width + left - (w + 1);
            break;
    }
    switch (alignment / 4) {
        case 0:
            y = top + 2;
            break;
        case 1:
            y = round(height / 2.0 + top - h / 2.0);
            break;
        default:
            y = height + top - h - 2;
            break;
    }
    return QRect(x, y, w, h);
}

QString DisplayText(const QString &text, const QString &format)
{
    if (format.isEmpty())
        return text;
    return platform::FormatForDisplay(text, format);
}

void DrawSortArrow(DrawingSurface &s, int x, int y, int width, int lines, int direction)
{
    for (int k = 0; k < lines; ++k) {
        const int row = direction == 1 ? y + lines - 1 - k : y + k;
        HLine(s, x + k, x + k + width - 2 * k, row, ButtonShadow);
    }
}

void DrawHeaderFlat(DrawingSurface &s, const QRect &rect, HeaderState state, ColorValue foreColor)
{
    const int l = rect.left(), t = rect.top();
    int r = l + rect.width(), b = t + rect.height();
    const auto lines = [&](bool inverted) {
        const auto c = [&](platform::ColorValue v) {
            return inverted ? platform::InvertColor(v) : v;
        };
        HLine(s, l, r, b - 1, c(0xB2C2C5));
        HLine(s, l, r, b - 2, c(0xBECFD2));
        HLine(s, l, r, b - 3, c(0xC8D8DC));
        VLine(s, r - 2, t + 2, b - 4, c(0x99A8AC));
        VLine(s, l, t + 2, b - 4, c(White));
    };
    switch (state) {
        case HeaderState::Normal:
            s.FillRect(rect, platform::SystemColor(platform::SysButtonFace));
            lines(false);
            break;
        case HeaderState::Hot:
            s.FillRect(rect, 0xF3F8FA);
            DrawHotLines(s, rect);
            break;
        case HeaderState::Pressed:
            s.SetForeColor(platform::InvertColor(C(foreColor)));
            --b;
            s.FillRect(RectLTRB(l, t, r, b), Black);
            lines(true);
            break;
    }
}

void DrawHeaderGradient(DrawingSurface &s, const QRect &rect, HeaderState state)
{
    constexpr platform::ColorValue Edge = 0x9C613B;
    QRect area = rect;
    if (state != HeaderState::Normal)
        area.setWidth(area.width() - 1);
    const int l = area.left(), t = area.top(), r = l + area.width(), b = t + area.height();
    switch (state) {
        case HeaderState::Normal:
            s.GradientRect(area, 0xFCE1CB, 0xE0A57D, true);
            VLine(s, r - 2, t + 2, b - 4, 0xCB8C6A);
            break;
        case HeaderState::Hot:
            s.GradientRect(area, 0xDCFFFF, 0x5BC0F7, true);
            break;
        case HeaderState::Pressed:
            s.GradientRect(area, 0x087FE8, 0x7CDAF7, true);
            break;
    }
    HLine(s, l, r, t, Edge);
    HLine(s, l, r, b - 1, Edge);
    VLine(s, l, t + 3, b - 3, White);
}

namespace {

void DrawHeaderCellAt(DrawingSurface &s, const GridPaintView &view, int position, HeaderState state,
                      int left)
{
    const GridModel &model = view.Model;
    const GridProperties &props = view.Properties;
    const GridColumn *column = model.FindColumnAt(position);
    if (!column)
        return;
    const int slot = model.ColumnOrder()[static_cast<std::size_t>(position)];
    const int height = view.Layout.HeaderBand();
    s.SetForeColor(C(props.ForeColorHdr));
    const QRect rect = RectLTRB(left, 0, left + column->WidthPixels + 1, height);
    s.FillRect(rect, C(props.BackColorFixed));
    switch (props.ThemeStyle) {
        case 0:
        case 1:
            DrawPushHeader(s, rect, state, props.ThemeStyle == 1);
            break;
        case 2:
            if (!DrawThemedHeader(s, rect, state, view.Style))
                DrawHeaderFlat(s, rect, state, props.ForeColor);
            break;
        case 3:
            DrawHeaderGradient(s, rect, state);
            break;
        default:
            break;
    }

    const int right = left + column->WidthPixels;
    int captionEnd = right - 6;
    if (column->WidthPixels >= 9) {
        if (slot == model.SortColumn) {
            DrawSortArrow(s, right - 12, 6, 9, 5, column->SortState);
            captionEnd = right - 13;
        } else if (slot == model.SubSortColumn) {
            DrawSortArrow(s, right - 12, 6, 6, 3, column->SortState);
            captionEnd = right - 13;
        }
    }
    DrawCellText(s, column->Heading, RectLTRB(left + 3, 0, captionEnd, height),
                 static_cast<unsigned>(column->Alignment) | view.Metrics.TextFormatFlags);
}

}  // namespace

void DrawHeaderCell(DrawingSurface &s, const GridPaintView &view, int position, HeaderState state)
{
    if (const GridColumn *column = view.Model.FindColumnAt(position))
        DrawHeaderCellAt(s, view, position, state, column->LeftPixels);
}

int DrawHeaderRow(DrawingSurface &s, const GridPaintView &view)
{
    const GridModel &model = view.Model;
    const int first = std::max(view.Layout.HorizontalPosition(), 0);
    int x = 0;
    for (int p = first; p <= model.Cols(); ++p) {
        const GridColumn *column = model.FindColumnAt(p);
        if (!column || !column->Visible)
            continue;
        DrawHeaderCell(s, view, p,
                       p == view.DraggedHeader ? HeaderState::Normal : StateOf(view, p));
        x += column->WidthPixels;
    }
    const GridColumn *dragged =
        view.DraggedHeader >= first ? model.FindColumnAt(view.DraggedHeader) : nullptr;
    if (dragged && dragged->Visible)
        DrawHeaderCellAt(s, view, view.DraggedHeader, view.DraggedState,
                         dragged->LeftPixels + view.DragTravel);
    return x;
}

void DrawGrid(DrawingSurface &s, const GridPaintView &view)
{
    const GridModel &model = view.Model;
    const GridProperties &props = view.Properties;
    const GridMetrics &metrics = view.Metrics;
    const GridLayout &layout = view.Layout;
    const int hpos = layout.HorizontalPosition();
    const platform::ColorValue gridColor = C(props.GridColor);
    const int header = layout.HeaderBand();
    int y = header;
    const int visibleRows = layout.ItemsVisible();

    s.SetBackColor(C(props.BackColorBkg));
    s.Clear();
    // A few hundred texts: they share one painter.
    struct Batch {
        DrawingSurface &s;
        explicit Batch(DrawingSurface &surface) : s(surface) { s.BeginBatch(); }
        ~Batch() { s.EndBatch(); }
    } batch(s);
    const QFont font = s.Font();
    const int xRight = props.ColumnHeaders ? DrawHeaderRow(s, view) : VisibleRight(model, hpos);

    const int top = layout.TopRow();
    const int last = std::min(top + visibleRows, model.LastItem());
    bool anyRow = false;
    for (int r = std::max(top, 0); r <= last; ++r) {
        const GridItem *item = model.FindItemAtRow(r);
        if (!item)
            break;
        anyRow = true;
        const int h = item->Height;
        const bool selected =
            (item->Flags & ItemFlagSelected) && (props.MultiSelect || props.FullRowSelect);
        if (selected) {
            int start = 0;
            if (hpos == 0) {
                // Column slot 0 holds the row's check box and image, wherever it is shown.
                const GridColumn *first = model.FindColumn(0);
                start = std::min(first ? first->WidthPixels : 0, metrics.TextLeft);
                s.FillRect(RectLTRB(0, y + 1, start, y + h + 1), C(props.BackColor));
            }
            const platform::ColorValue back =
                props.AlphaBlendSelection
                    ? platform::BlendColor(C(props.BackColorSel), C(props.BackColor), 120)
                    : C(props.BackColorSel);
            s.FillRect(RectLTRB(start, y + 1, xRight, y + h + 1), back);
        } else {
            s.FillRect(RectLTRB(0, y + 1, xRight, y + h + 1), C(props.BackColor));
        }
        DrawCells(s, view, *item, y, h, selected, hpos);
        if (props.GridLines)
            s.DrawLine(0, y, xRight, y, gridColor, props.GridLineWidth);
        y += h;
    }

    if (props.GridLines && anyRow) {
        int x = 0;
        for (int p = std::max(hpos, 0); p <= model.Cols(); ++p) {
            const GridColumn *column = model.FindColumnAt(p);
            if (!column || !column->Visible)
                continue;
            s.DrawLine(x, header, x, y, gridColor, props.GridLineWidth);
            x += column->WidthPixels;
        }
    }

    if (props.FocusRectMode != 0 && model.Row >= 0 && (!props.HideSelection || view.HasFocus)) {
        const std::optional<int> rowTop = layout.FindRowTop(model.Row);
        const GridItem *item = model.FindItemAtRow(model.Row);
        if (rowTop && *rowTop >= 0 && item) {
            const int h = item->Height;
            QRect focus;
            if (props.FocusRectMode == 2) {
                if (model.FindColumnAt(model.Col)) {
                    const ColumnSpanResult span = layout.ColumnSpan(model.Col);
                    focus = RectLTRB(span.Left, *rowTop + 1, span.Right, *rowTop + h);
                }
            } else {
                focus = RectLTRB(metrics.TextLeft, *rowTop + 1, xRight, *rowTop + h);
            }
            if (!focus.isNull() && focus.left() + focus.width() > 0) {
                if (props.FocusRectStyle == 0)
                    s.DrawFocusRect(focus, Black, C(props.BackColor));
                else if (props.FocusRectStyle == 1)
                    s.FrameRect(focus, C(props.FocusRectColor));
            }
        }
    }
    s.SetFont(font);
}

}  // namespace lynx
