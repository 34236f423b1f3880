#include <gtest/gtest.h>

#include <QImage>
#include <QRandomGenerator>

#include "GridTestSupport.h"
#include "platform/ControlHost.h"
#include "platform/SettingsStore.h"

// The main window's grid as a user sees it: nine columns, 40 stocks sorted by price, a few
// selected, in each header look. Saved as grid_theme_style_N.png in the working folder so that
// they can be looked at (run under Xvfb for the desktop's own fonts and style).

namespace {
void LoadMainWindowGrid(LynxGrid &grid, platform::ControlHost &host, int themeStyle)
{
    grid.SetHost(&host);
    platform::SettingsStore saved;
    saved.WriteFont("Font", QFont("MS Sans Serif", 8), QFont());
    saved.WriteInt("ThemeColor", 2, 0);
    saved.WriteInt("ThemeStyle", themeStyle, 2);
    saved.WriteInt("AllowUserResizing", 1, 0);
    saved.WriteBool("ColumnDrag", true, false);
    saved.WriteBool("ColumnSort", true, false);
    saved.WriteBool("MultiSelect", true, false);
    saved.WriteInt("ScaleUnits", 3, 1);
    grid.ReadProperties(saved);
    grid.resize(1000, 600);
    grid.SetRedraw(false);
    grid.SetRowHeightMin(20);
    grid.AddColumn("Symbol", 100);
    grid.AddColumn("Company", 280, 4);
    grid.AddColumn("Price", 80, 6, TypeNumber);
    grid.AddColumn("Industry", 200);
    for (const char *caption : {"Market Cap", "Beta", "PE", "P/B", "P/S"})
        grid.AddColumn(caption, 70, 6, TypeNumber);
    grid.SetRedraw(true);

    QRandomGenerator random(7);
    const char *industries[] = {"Biotechnology",   "Gold",
                                "Oil & Gas E&P",   "Software - Application",
                                "Shell Companies", "Banks - Regional"};
    grid.SetRedraw(false);
    for (int r = 0; r < 40; ++r) {
        const double price = 0.05 + r * 0.12;
        QString company;
        for (int i = 0; i < 2; ++i)
            company += QChar(u'A' + random.bounded(26)) +
                       QStringLiteral("xiomatic ").left(random.bounded(4, 9));
        grid.AddItem(QStringLiteral("%1\t%2Inc\t%3\t%4\t%5\t%6\t%7\t%8\t%9")
                         .arg(QStringLiteral("S%1").arg(r, 3, 10, QChar(u'0')), company)
                         .arg(price, 0, 'f', 2)
                         .arg(industries[r % 6])
                         .arg(random.bounded(20000.0), 0, 'f', 2)
                         .arg(random.bounded(3.0) - 1, 0, 'f', 2)
                         .arg(random.bounded(80.0), 0, 'f', 2)
                         .arg(random.bounded(12.0), 0, 'f', 2)
                         .arg(random.bounded(9.0), 0, 'f', 2));
    }
    for (int r : {3, 4, 5, 9}) grid.SetItemSelected(r, true);
    grid.SetRedraw(true);
    grid.Sort(2, 1, 0, 1);  // the prices rise with the rows already
    grid.SetRow(4);
}
}  // namespace

TEST(GridScreenshot, TheMainWindowsGridInEachHeaderLook)
{
    for (int themeStyle = 0; themeStyle <= 3; ++themeStyle) {
        SCOPED_TRACE(themeStyle);
        platform::ControlHost host;
        LynxGrid grid;
        LoadMainWindowGrid(grid, host, themeStyle);
        grid.show();
        grid.setFocus();
        grid.Refresh();
        const QImage shot = grid.grab().toImage();
        EXPECT_TRUE(shot.save(QStringLiteral("grid_theme_style_%1.png").arg(themeStyle)));
        // The header and the first rows three times as big, to look at the pixels.
        EXPECT_TRUE(shot.copy(0, 0, 480, 110)
                        .scaled(1440, 330)
                        .save(QStringLiteral("grid_theme_style_%1_zoomed.png").arg(themeStyle)));

        // What the window shows is the back image inside the border.
        const QRect client = grid.ClientRect();
        const QImage &face = grid.Surface().Image();
        for (const QPoint p : {QPoint(5, 5), QPoint(150, 30), QPoint(500, 300)})
            EXPECT_EQ(shot.pixel(client.topLeft() + p) & 0xFFFFFF, face.pixel(p) & 0xFFFFFF);
    }
}
