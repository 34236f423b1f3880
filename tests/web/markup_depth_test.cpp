#include <gtest/gtest.h>

#include "platform/MarkupDepth.h"
#include "web/HtmlDocument.h"
#include "web/PageLoader.h"

using platform::MarkupDepth;

namespace {
QByteArray Repeat(const char *piece, int times)
{
    return QByteArray(piece).repeated(times);
}
}  // namespace

TEST(MarkupDepth, CountsOnlyElementsThatHoldOthers)
{
    struct Case {
        QByteArray markup;
        int depth;
    } cases[] = {
        {"", 0},
        {"plain text < 5 and 6 > 3", 0},
        {"<HTML><BODY><TABLE><TR><TD><FONT>x</FONT></TD></TR></TABLE></BODY></HTML>", 4},
        {"<div><div></div><div><span>x</span></div></div>", 3},
        {"<p>a<p>b<p>c<li>d<br><img src=x><td>e<tr><option>", 0},
        {"<div/><div/><x-y/>", 0},
        {"<!-- <div><div><div> --><div>", 1},
        {"<!DOCTYPE html><?xml version?><b>", 1},
        {"<script><div><div></div></script><i>", 1},
        {"<STYLE>b{}</style><Title><b></TITLE>", 0},
        {"</div></div><b>", 1},
        {"<!-- never closed <div><div>", 0},
        {"<script>never closed <div><div>", 0},
        {"<averyveryverylongelementname><b>", 2},
    };
    for (const Case &c : cases) EXPECT_EQ(MarkupDepth(c.markup, 100), c.depth) << c.markup.data();
}

TEST(MarkupDepth, StopsPastTheLimit)
{
    EXPECT_EQ(MarkupDepth(Repeat("<div>", 10), 10), 10);
    EXPECT_EQ(MarkupDepth(Repeat("<div>", 11), 10), 11);
    EXPECT_EQ(MarkupDepth(Repeat("<b><i>", 2'000'000), 5000), 5001);
    EXPECT_EQ(MarkupDepth(Repeat("<div></div>", 1'000'000), 5000), 1);
}

// A page nested past any real one is answered with an error page, without building its tree
// (which grows with the square of the depth); ordinary depths are parsed as sent.
TEST(MarkupDepth, TooDeepABodyBecomesAnErrorPage)
{
    using web::PageLoader;
    const auto bodyOf = [](const web::HtmlDocument &document) {
        for (int i = 0; i < document.All().Length(); ++i)
            if (document.All().Item(i)->tagName() == "BODY")
                return document.All().Item(i)->innerhtml();
        return QString();
    };
    const auto deep = PageLoader::DocumentFromBody(
        "http://127.0.0.1/b", "<html><body>" + Repeat("<div>", 100'000), "text/html");
    EXPECT_TRUE(bodyOf(*deep).contains("too deeply"));
    const auto fine = PageLoader::DocumentFromBody(
        "http://127.0.0.1/b", "<html><body>" + Repeat("<div>", 4'000) + "x", "text/html");
    EXPECT_FALSE(bodyOf(*fine).contains("too deeply"));
    EXPECT_TRUE(bodyOf(*fine).contains("x"));
}
