#include <gtest/gtest.h>

#include "platform/Wildcard.h"

using platform::WildcardMatch;

TEST(Wildcard, StarQuestionMarkAndCase)
{
    EXPECT_TRUE(WildcardMatch(u"*.dat", u"0.dat"));
    EXPECT_TRUE(WildcardMatch(u"*.dat", u"272.DAT"));
    EXPECT_TRUE(WildcardMatch(u"*.dat", u".dat"));
    EXPECT_FALSE(WildcardMatch(u"*.dat", u"0.dat.bak"));
    EXPECT_FALSE(WildcardMatch(u"*.dat", u"0.data"));
    EXPECT_TRUE(WildcardMatch(u"?.dat", u"7.dat"));
    EXPECT_FALSE(WildcardMatch(u"?.dat", u"17.dat"));
    EXPECT_TRUE(WildcardMatch(u"a*b*c", u"aXXbYbc"));
    EXPECT_FALSE(WildcardMatch(u"a*b*c", u"aXXbY"));
    EXPECT_TRUE(WildcardMatch(u"*", u""));
    EXPECT_FALSE(WildcardMatch(u"", u"x"));
}
