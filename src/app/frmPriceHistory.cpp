#include "app/frmPriceHistory.h"

#include <QMouseEvent>
#include <QVBoxLayout>

#include "app/AppTitle.h"
#include "app/PriceChartPainter.h"

namespace {

// How far from the plot the pointer still picks a point, in pixels.
constexpr int HoverReach = 8;

}  // namespace

PriceChartView::PriceChartView(QWidget *parent) : platform::SurfaceWidget(parent)
{
    setMouseTracking(true);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    Surface().SetFont(font);
    setMinimumSize(320, 200);
}

void PriceChartView::SetPoints(std::vector<PricePoint> newPoints)
{
    points = std::move(newPoints);
    hovered = -1;
    Redraw();
}

void PriceChartView::Redraw()
{
    SyncSurfaceSize();
    PriceChart::Paint(Surface(), points, hovered);
    Present();
}

void PriceChartView::SetHovered(int index)
{
    if (index == hovered)
        return;
    hovered = index;
    Redraw();
}

void PriceChartView::mouseMoveEvent(QMouseEvent *event)
{
    const PriceChart::Frame frame =
        PriceChart::FrameOf(Surface().Size(), points, Surface().TextHeight());
    SetHovered(PriceChart::NearestPoint(frame, points, event->position().toPoint(), HoverReach));
}

void PriceChartView::leaveEvent(QEvent *event)
{
    SetHovered(-1);
    platform::SurfaceWidget::leaveEvent(event);
}

void PriceChartView::resizeEvent(QResizeEvent *event)
{
    platform::SurfaceWidget::resizeEvent(event);
    Redraw();
}

frmPriceHistory::frmPriceHistory(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    chart = new PriceChartView(this);
    layout->addWidget(chart);
    resize(720, 420);
}

void frmPriceHistory::ShowStock(const QString &stock, const QString &company,
                                std::vector<PricePoint> points)
{
    symbol = stock;
    QString title = QStringLiteral("History of ") + stock;
    if (!company.isEmpty())
        title += QStringLiteral(" (") + company + QStringLiteral(")");
    setWindowTitle(title + QStringLiteral(" - ") + AppTitle());
    chart->SetPoints(std::move(points));
}
