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

TEST(PatternMatch, SearchPatterns)
{
    using platform::PatternMatch;
    struct Case {
        const char16_t *text;
        const char16_t *pattern;
        bool expected;
    };
    const Case cases[] = {
        {u"BERRY", u"BE*", true}, {u"ABE", u"BE*", false},   {u"BARN", u"B?R*", true},
        {u"BR", u"B?R*", false},  {u"A1", u"A#", true},      {u"AB", u"A#", false},
        {u"B", u"[ABC]", true},   {u"D", u"[ABC]", false},   {u"D", u"[!ABC]", true},
        {u"Q", u"[A-Z]", true},   {u"q", u"[A-Z]", false},   {u"-", u"[A-]", true},
        {u"[X", u"[X*", true},    {u"abc", u"ABC", false},   {u"", u"*", true},
        {u"x*y", u"x[*]y", true}, {u"xzy", u"x[*]y", false}, {u"", u"", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PatternMatch(c.text, c.pattern), c.expected)
            << QString::fromUtf16(c.text).toStdString() << " ~ "
            << QString::fromUtf16(c.pattern).toStdString();
}
