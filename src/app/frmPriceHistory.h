#pragma once

#include <QWidget>
#include <vector>

#include "app/HistoryFacts.h"
#include "platform/SurfaceWidget.h"

// The chart of one stock's prices on its own face: it repaints when its points, its size or
// the point under the pointer change.
class PriceChartView : public platform::SurfaceWidget {
    Q_OBJECT
public:
    explicit PriceChartView(QWidget *parent = nullptr);

    void SetPoints(std::vector<PricePoint> points);
    const std::vector<PricePoint> &Points() const { return points; }
    // The point whose date and price are shown; -1 for none.
    int Hovered() const { return hovered; }
    // Repaints the face from the points and the hovered one.
    void Redraw();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void SetHovered(int index);

    std::vector<PricePoint> points;
    int hovered = -1;
};

// "History": the price of one stock over every snapshot the history holds.
class frmPriceHistory : public QWidget {
    Q_OBJECT
public:
    explicit frmPriceHistory(QWidget *parent = nullptr);

    // Shows the stock's points, oldest first, under a title naming it.
    void ShowStock(const QString &symbol, const QString &company, std::vector<PricePoint> points);
    QString Symbol() const { return symbol; }
    PriceChartView *Chart() const { return chart; }

private:
    PriceChartView *chart = nullptr;
    QString symbol;
};
