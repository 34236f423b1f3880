#include <gtest/gtest.h>

#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <memory>

#include "GridTestSupport.h"
#include "platform/DrawingSurface.h"

// What the user sees at once, on the grid's back image: a heading under the pointer or under
// the pressed button in every header look and Qt style, all rows after Ctrl+A, and an emptied
// grid without a scroll thumb.

namespace {

class FeedbackGrid : public LynxGrid {
public:
    QImage Region(const QRect &r) const { return Surface().Image().copy(r); }
    platform::ColorValue At(int x, int y) const { return Surface().Pixel(x, y); }
};

// Pixels in which two images of one size differ.
int Differing(const QImage &a, const QImage &b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

}  // namespace

TEST(GridFeedback, HotAndPressedHeadingsStandOutInEveryThemeStyleUnderEveryQtStyle)
{
    for (const char *key : {"Fusion", "Windows"}) {
        const std::unique_ptr<QStyle> style(QStyleFactory::create(QLatin1String(key)));
        ASSERT_TRUE(style) << key;
        for (int theme = 0; theme <= 3; ++theme) {
            SCOPED_TRACE(std::string(key) + " ThemeStyle " + std::to_string(theme));
            FeedbackGrid grid;
            grid.setStyle(style.get());
            grid.resize(404, 204);
            grid.SetScaleUnits(3);
            grid.SetThemeStyle(theme);
            AddColumns(grid, 3);
            grid.AddItem(QStringLiteral("r"));  // the pointer acts on a grid with rows only
            grid.Refresh();
            const QRect cell(100, 0, 100, grid.Layout().HeaderBand());
            const QPoint onHeading(150, 10), onRow(150, cell.height() + 5);
            const QImage normal = grid.Region(cell);
            QImage looks[2];

            // Hot: the pointer over the heading, with hot tracking on; it goes with the pointer.
            grid.SetHotHeaderTracking(true);
            SendPointer(grid, QEvent::MouseMove, onHeading);
            looks[0] = grid.Region(cell);
            SendPointer(grid, QEvent::MouseMove, onRow);
            EXPECT_EQ(grid.Region(cell), normal) << "hot back to normal";
            grid.SetHotHeaderTracking(false);

            // Pressed: the left button down on the heading; held and moved off, it shows
            // released.
            SendPointer(grid, QEvent::MouseButtonPress, onHeading, Qt::LeftButton, Qt::LeftButton);
            looks[1] = grid.Region(cell);
            SendPointer(grid, QEvent::MouseMove, onRow, Qt::NoButton, Qt::LeftButton);
            EXPECT_EQ(grid.Region(cell), normal) << "pressed back to normal";
            SendPointer(grid, QEvent::MouseButtonRelease, onRow, Qt::LeftButton);

            for (const QImage &look : looks)  // at least a line's worth, not a stray pixel
                EXPECT_GE(Differing(look, normal), cell.width())
                    << (&look == looks ? "hot" : "pressed");
            EXPECT_GE(Differing(looks[0], looks[1]), cell.width()) << "hot is not pressed";
        }
    }
}

TEST(GridFeedback, CtrlAPaintsEveryVisibleRowSelectedAndClearDropsTheThumb)
{
    platform::ControlHost host;
    FeedbackGrid grid;
    LoadLikeTheMainWindow(grid, host, QSize(404, 304), 3, 60);
    grid.SetMultiSelect(true);
    ASSERT_TRUE(grid.ScrollBars().Shown(lynx::ScrollBarId::Vertical));
    const platform::ColorValue selected =
        platform::ResolveColor(static_cast<platform::ColorValue>(grid.BackColorSel()));

    // nothing but the key: no scroll, no other repaint
    QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(grid.SelectedCount(), 60);
    const int top = grid.Layout().TopRow();
    ASSERT_GE(grid.ItemsVisible(), 10);
    for (int r = top; r < top + grid.ItemsVisible(); ++r)
        EXPECT_EQ(grid.At(295, grid.RowTop(r) + 2), selected) << "row " << r;

    grid.Clear();
    EXPECT_FALSE(grid.ScrollBars().Shown(lynx::ScrollBarId::Vertical));
    EXPECT_FALSE(grid.ScrollBars().Bar(lynx::ScrollBarId::Vertical)->isVisibleTo(&grid));
    EXPECT_EQ(grid.ScrollBars().Position(lynx::ScrollBarId::Vertical), 0);
}
