#include <gtest/gtest.h>

#include <QString>
#include <vector>

#include "grid/Arena.h"

using namespace lynx;

namespace {
QString Text(const Arena<char16_t> &arena, PoolRef ref)
{
    const auto chars = arena.View(ref);
    return QString(reinterpret_cast<const QChar *>(chars.data()),
                   static_cast<qsizetype>(chars.size()));
}

PoolRef Put(Arena<char16_t> &arena, const QString &text)
{
    return arena.Append(
        {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size())});
}
}  // namespace

TEST(Arena, RunsNeverCrossASegmentAndStayWhereTheyAreWhileThePoolGrows)
{
    Arena<char16_t> arena;
    std::vector<std::pair<PoolRef, QString>> runs;
    const char16_t *firstData = nullptr;
    // Lengths that land on, just before and far past segment ends, up to one longer than a
    // whole segment of its own.
    for (int length : {1000, 24, 1, 2047, 3000, 5, 70000, 0, 12}) {
        const QString text(length, QChar(u'a' + static_cast<char16_t>(runs.size())));
        runs.emplace_back(Put(arena, text), text);
        if (!firstData)
            firstData = arena.View(runs.front().first).data();
    }
    EXPECT_EQ(arena.View(runs.front().first).data(), firstData);
    for (const auto &[ref, text] : runs) {
        EXPECT_EQ(Text(arena, ref), text);
        const std::size_t first = ref.Offset;
        if (ref.Length > 0) {
            EXPECT_EQ(Segments<char16_t>::SegmentOf(first),
                      Segments<char16_t>::SegmentOf(first + ref.Length - 1));
        }
    }
    EXPECT_EQ(runs[7].first.Length, 0u);
    // Skipped segment tails count as released, whole skipped segments do not.
    EXPECT_LT(arena.Released(), 5000u);
}

TEST(Arena, AppendingAViewOfItselfCopiesFirst)
{
    Arena<char16_t> arena;
    PoolRef a = Put(arena, QString(1020, QChar('x')));
    // The copy does not fit segment 0 and goes to segment 1, allocated while it is read.
    PoolRef b = arena.Append(arena.View(a));
    EXPECT_EQ(Text(arena, b), QString(1020, QChar('x')));
    EXPECT_NE(a.Offset, b.Offset);
}

TEST(Arena, CompactionKeepsLiveRunsAndDropsTheReleasedOnes)
{
    Arena<char16_t> arena;
    std::vector<PoolRef> refs;
    for (int i = 0; i < 4000; ++i) refs.push_back(Put(arena, QString::number(i).repeated(5)));
    EXPECT_FALSE(arena.WantsCompaction());
    for (int i = 0; i < 4000; i += 4) {
        arena.Release(refs[i]);
        arena.Release(refs[i + 1]);
        arena.Release(refs[i + 2]);
    }
    EXPECT_TRUE(arena.WantsCompaction());
    arena.Compact([&](auto &&visit) {
        for (PoolRef &ref : refs) visit(ref);
    });
    std::size_t live = 0;
    for (int i = 3; i < 4000; i += 4) live += refs[i].Length;
    EXPECT_EQ(arena.Used() - arena.Released(), live);  // what is left released is segment tails
    for (int i = 0; i < 4000; ++i) {
        if (i % 4 == 3)
            EXPECT_EQ(Text(arena, refs[i]), QString::number(i).repeated(5));
        else
            EXPECT_EQ(refs[i].Length, 0u);
    }
    EXPECT_FALSE(arena.WantsCompaction());

    arena.Shorten(refs[3], 2);
    EXPECT_EQ(Text(arena, refs[3]), "33");
    arena.Shorten(refs[3], 0);
    EXPECT_EQ(refs[3].Length, 0u);
}

TEST(Arena, ClearKeepsTheRoomOfAFullPoolAndDropsAnEmptyOne)
{
    Arena<char16_t> arena;
    for (int i = 0; i < 3000; ++i) Put(arena, "twelve chars");
    const std::size_t capacity = arena.Capacity();
    arena.Clear();
    EXPECT_EQ(arena.Used(), 0u);
    EXPECT_EQ(arena.Capacity(), capacity);
    PoolRef again = Put(arena, "again");
    EXPECT_EQ(again.Offset, 0u);
    arena.Clear();
    EXPECT_EQ(arena.Capacity(), 0u);
}
