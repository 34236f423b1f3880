// Text layout and drawing of DrawingSurface: prefix ("&") processing, line breaking, ellipses,
// alignment and measuring, with the rules the painting code was written against: vertical
// placement only for single-line text, long words are not split, the access-key character is
// underlined.
#include <QFontMetrics>
#include <QList>
#include <QPainter>

#include "platform/DrawingSurface.h"
#include "platform/SurfaceOperationPainter.h"

namespace platform {

namespace {

const QString kEllipsis = QStringLiteral("...");

// Metrics are taken for a 96 dpi raster image, the kind of device every surface is.
const QImage &ReferenceDevice()
{
    static const QImage reference(1, 1, QImage::Format_ARGB32_Premultiplied);
    return reference;
}

QFontMetrics MetricsFor(const QFont &font)
{
    return QFontMetrics(font, &ReferenceDevice());
}

// Removes the prefix characters: "&x" marks x as the access key, "&&" stands for "&", a final
// "&" is dropped. Returns the position of the first marked character in the result, or -1.
int StripPrefix(QString &text)
{
    QString out;
    out.reserve(text.size());
    int marked = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            out += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            break;
        if (text[i + 1] != QLatin1Char('&') && marked < 0)
            marked = static_cast<int>(out.size());
        out += text[++i];
    }
    text = out;
    return marked;
}

struct Span {
    int start;
    int length;
};

// Greedy breaking at spaces; a word wider than the width keeps a line of its own.
QList<Span> WrapParagraph(const QString &p, const QFontMetrics &fm, int width)
{
    QList<Span> lines;
    const int n = static_cast<int>(p.size());
    int lineStart = 0, lastFit = -1, pos = 0;
    while (pos < n) {
        int wordEnd = pos;
        while (wordEnd < n && p[wordEnd] == QLatin1Char(' ')) ++wordEnd;
        while (wordEnd < n && p[wordEnd] != QLatin1Char(' ')) ++wordEnd;
        if (fm.horizontalAdvance(p.mid(lineStart, wordEnd - lineStart)) > width &&
            lastFit > lineStart) {
            lines.append({lineStart, lastFit - lineStart});
            lineStart = lastFit;
            while (lineStart < n && p[lineStart] == QLatin1Char(' ')) ++lineStart;
            lastFit = -1;
            pos = lineStart;
            continue;
        }
        lastFit = wordEnd;
        pos = wordEnd;
    }
    if (lineStart < n || lines.isEmpty())
        lines.append({lineStart, n - lineStart});
    return lines;
}

QString ElideEnd(const QString &line, const QFontMetrics &fm, int width)
{
    for (qsizetype keep = line.size(); keep >= 0; --keep) {
        const QString candidate = line.left(keep) + kEllipsis;
        if (fm.horizontalAdvance(candidate) <= width)
            return candidate;
    }
    return kEllipsis;
}

// Keeps as much of the end (the file name of a path) as fits, shortening the front.
QString ElideMiddle(const QString &line, const QFontMetrics &fm, int width)
{
    for (qsizetype cut = 1; cut <= line.size(); ++cut) {
        const qsizetype head = (line.size() - cut) / 2;
        const QString candidate = line.left(head) + kEllipsis + line.mid(head + cut);
        if (fm.horizontalAdvance(candidate) <= width)
            return candidate;
    }
    return kEllipsis;
}

}  // namespace

struct DrawingSurface::TextLayout {
    struct Line {
        QString text;
        int x = 0;
        int y = 0;
        int width = 0;
        int underline = -1;  // index of the access-key character in text
    };
    QList<Line> lines;
    int lineHeight = 0;
    int ascent = 0;
    int maxWidth = 0;
};

const QStaticText *DrawingSurface::KeptLayout(const QString &line)
{
    constexpr qsizetype Kept = 8192;
    const auto kept = staticTexts.constFind(line);
    if (kept != staticTexts.cend())
        return &*kept;
    if (staticTexts.size() + drawnOnce.size() >= Kept) {
        staticTexts.clear();
        drawnOnce.clear();
    }
    if (!drawnOnce.remove(line)) {
        drawnOnce.insert(line);
        return nullptr;
    }
    QStaticText laid(line);
    laid.setTextFormat(Qt::PlainText);
    laid.prepare(QTransform(), font);
    return &*staticTexts.insert(line, laid);
}

int DrawingSurface::LineWidth(const QFontMetrics &metrics, const QString &line) const
{
    // Bounded: a surface showing ever new texts starts over now and then.
    constexpr qsizetype Kept = 8192;
    const auto known = textWidths.constFind(line);
    if (known != textWidths.cend())
        return *known;
    if (textWidths.size() >= Kept)
        textWidths.clear();
    const int width = metrics.horizontalAdvance(line);
    textWidths.insert(line, width);
    return width;
}

DrawingSurface::TextLayout DrawingSurface::LayOutText(const QString &source, const QRect &rect,
                                                      unsigned flags) const
{
    const QFontMetrics fm = MetricsFor(font);
    TextLayout layout;
    layout.lineHeight = fm.height();
    layout.ascent = fm.ascent();

    QString text = source;
    int marked = -1;
    if (!(flags & TextNoPrefix)) {
        marked = StripPrefix(text);
        if (flags & TextHidePrefix)
            marked = -1;
    }

    // Paragraphs with their offset in the stripped text, so the marked character can be found.
    QList<Span> paragraphs;
    if (flags & TextSingleLine) {
        if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
            text.replace(QLatin1String("\r\n"), QLatin1String(" "));
            text.replace(QLatin1Char('\n'), QLatin1Char(' '));
            text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        }
        paragraphs.append({0, static_cast<int>(text.size())});
    } else {
        int start = 0;
        for (int i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == QLatin1Char('\n')) {
                int end = i;
                if (end > start && text[end - 1] == QLatin1Char('\r'))
                    --end;
                paragraphs.append({start, end - start});
                start = i + 1;
            }
        }
    }

    const bool wrap = (flags & TextWordBreak) && !(flags & TextSingleLine);
    const unsigned ellipsis = flags & (TextEndEllipsis | TextWordEllipsis | TextPathEllipsis);
    for (const Span &para : paragraphs) {
        const QString paraText = text.mid(para.start, para.length);
        const QList<Span> spans =
            wrap ? WrapParagraph(paraText, fm, rect.width()) : QList<Span>{{0, para.length}};
        for (const Span &s : spans) {
            TextLayout::Line line;
            line.text = paraText.mid(s.start, s.length);
            const int absolute = para.start + s.start;
            if (marked >= absolute && marked < absolute + s.length)
                line.underline = marked - absolute;
            // Measuring shapes the text: once, and again only for a shortened one.
            line.width = LineWidth(fm, line.text);
            if (ellipsis && line.width > rect.width()) {
                if (ellipsis & TextPathEllipsis) {
                    line.text = ElideMiddle(line.text, fm, rect.width());
                    line.underline = -1;
                } else {
                    line.text = ElideEnd(line.text, fm, rect.width());
                    if (line.underline >= line.text.size() - kEllipsis.size())
                        line.underline = -1;
                }
                line.width = fm.horizontalAdvance(line.text);
            }
            layout.maxWidth = std::max(layout.maxWidth, line.width);
            layout.lines.append(line);
        }
    }

    const int total = static_cast<int>(layout.lines.size()) * layout.lineHeight;
    int y = rect.top();
    if (flags & TextSingleLine) {
        if (flags & TextBottom)
            y = rect.top() + rect.height() - total;
        else if (flags & TextVCenter)
            y = rect.top() + (rect.height() - total) / 2;
    }
    for (TextLayout::Line &line : layout.lines) {
        if (flags & TextRight)
            line.x = rect.left() + rect.width() - line.width;
        else if (flags & TextCenter)
            line.x = rect.left() + (rect.width() - line.width) / 2;
        else
            line.x = rect.left();
        line.y = y;
        y += layout.lineHeight;
    }
    return layout;
}

int DrawingSurface::DrawText(const QString &text, const QRect &rect, unsigned flags)
{
    const TextLayout layout = LayOutText(text, rect, flags);
    const int height = static_cast<int>(layout.lines.size()) * layout.lineHeight;
    QRgb rgb;
    if ((flags & TextCalcRect) || text.isEmpty() || !Resolve(foreColor, rgb))
        return height;
    OperationPainter op(*this);
    QPainter &p = *op;
    if (!(flags & TextNoClip))
        p.setClipRect(rect, clip ? Qt::IntersectClip : Qt::ReplaceClip);
    p.setFont(font);
    p.setPen(QColor(rgb));
    if (flags & TextRtlReading)
        p.setLayoutDirection(Qt::RightToLeft);
    // In a batch (a paint of many texts that repeat from one paint to the next) a line drawn
    // before is drawn from a kept layout, so that it is not shaped again on every paint; one
    // seen for the first time is drawn as usual (keeping a layout costs more than one drawing).
    const qreal ascentF = batch ? QFontMetricsF(font, &ReferenceDevice()).ascent() : 0;
    for (const TextLayout::Line &line : layout.lines) {
        const QStaticText *laid = batch ? KeptLayout(line.text) : nullptr;
        if (laid) {
            p.drawStaticText(QPointF(line.x, line.y + layout.ascent - ascentF), *laid);
        } else {
            p.drawText(QPoint(line.x, line.y + layout.ascent), line.text);
        }
        if (line.underline >= 0) {
            const QFontMetrics fm = MetricsFor(font);
            const int ux = line.x + fm.horizontalAdvance(line.text.left(line.underline));
            const int uw = fm.horizontalAdvance(line.text.at(line.underline));
            p.fillRect(QRect(ux, line.y + layout.ascent + fm.underlinePos(), uw,
                             std::max(1, fm.lineWidth())),
                       QColor(rgb));
        }
    }
    return height;
}

QRect DrawingSurface::MeasureText(const QString &text, const QRect &rect, unsigned flags) const
{
    const TextLayout layout = LayOutText(text, rect, flags);
    return QRect(rect.left(), rect.top(), layout.maxWidth,
                 static_cast<int>(layout.lines.size()) * layout.lineHeight);
}

int DrawingSurface::TextWidth(const QString &text) const
{
    return MetricsFor(font).horizontalAdvance(text);
}

int DrawingSurface::TextHeight() const
{
    return MetricsFor(font).height();
}

void DrawingSurface::PrintText(int x, int y, const QString &text)
{
    QRgb rgb;
    if (text.isEmpty() || !Resolve(foreColor, rgb))
        return;
    OperationPainter op(*this);
    QPainter &p = *op;
    p.setFont(font);
    p.setPen(QColor(rgb));
    p.drawText(QPoint(x, y + MetricsFor(font).ascent()), text);
}

}  // namespace platform
