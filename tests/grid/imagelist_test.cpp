#include <gtest/gtest.h>

#include <QImage>

#include "GridTestSupport.h"
#include "platform/ImageList.h"

using namespace platform;

TEST(ImageList, ImagesHaveOneBasedNumbersOptionalUniqueKeysAndTheListsSize)
{
    ImageList list(20, 10);
    QImage big(40, 40, QImage::Format_ARGB32);
    big.fill(Qt::blue);
    EXPECT_EQ(list.Add(big, "one"), 1);
    EXPECT_EQ(list.Add(big), 2);
    EXPECT_EQ(list.Add(big, "three"), 3);
    EXPECT_EQ(list.Image(2).size(), QSize(20, 10));
    EXPECT_EQ(list.ImageWidth(), 20);
    EXPECT_EQ(list.ImageHeight(), 10);

    EXPECT_EQ(list.IndexOfKey("three"), 3);
    EXPECT_EQ(list.IndexOfKey("Three"), 0);
    EXPECT_EQ(list.IndexOfKey(""), 0);
    EXPECT_EQ(list.Key(2), "");
    EXPECT_TRUE(FailsWith(ErrInvalidPropertyValue, [&] { list.Add(big, "one"); }));
    EXPECT_EQ(list.Count(), 3);

    list.Remove(1);
    EXPECT_EQ(list.IndexOfKey("three"), 2);
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { list.Image(0); }));
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { list.Key(3); }));
    EXPECT_TRUE(FailsWith(ErrSubscriptOutOfRange, [&] { list.Remove(3); }));
}

TEST(ImageList, AGridReadsAKeyBackOnlyWhileTheListStillHasTheImage)
{
    auto *list = new ImageList;
    list->Add(QImage(), "gone");
    LynxGrid grid;
    AddColumns(grid, 1);
    grid.AddItem("a");
    grid.SetImageList(list);
    grid.SetItemImage(0, "gone");
    EXPECT_EQ(grid.ItemImage(0).toString(), "gone");

    delete list;  // the grid does not own the list
    EXPECT_EQ(grid.ImageList(), nullptr);
    EXPECT_EQ(grid.ItemImage(0).toInt(), -1);
}
