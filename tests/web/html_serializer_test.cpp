#include <gtest/gtest.h>

#include <QStringList>

#include "web/HtmlDocument.h"

using web::HtmlDocument;

namespace {

// As UTF-8, so that failures print readably.
std::string BodyOf(const HtmlDocument &document)
{
    const auto &all = document.All();
    for (int i = 0; i < all.Length(); ++i) {
        if (all.Item(i)->tagName() == QLatin1String("BODY"))
            return all.Item(i)->innerhtml().toStdString();
    }
    return "<no body>";
}

std::string Body(const char *markup)
{
    return BodyOf(*HtmlDocument::Parse(markup));
}

}  // namespace

TEST(HtmlSerializer, ScreenerCellsComeOutInTheFormThePageReaderMatches)
{
    EXPECT_EQ(
        Body("<table><tr><td><font face=\"arial\" size=\"-1\">0.35</font></td></tr></table>"),
        "<TABLE><TBODY><TR><TD><FONT face=arial size=-1>0.35</FONT></TD></TR></TBODY></TABLE>");
    // Header row and table end as a late-nineties screener writes them: one row a line, no TBODY.
    std::string html = Body(
        "<table border=\"1\">\n"
        "<tr><td><b><font face=\"arial\" size=\"-1\">More Info</font></b></td></tr>\n"
        "<tr><td><font face=\"arial\" size=\"-1\"><b><a "
        "href=\"/q?s=AB\">AB</a></b></font></td></tr>\n"
        "</table>\n");
    EXPECT_EQ(html,
              "<TABLE border=1>\r\n<TBODY><TR><TD><B><FONT face=arial size=-1>More Info</FONT></B>"
              "</TD></TR>\r\n<TR><TD><FONT face=arial size=-1><B><A href=\"/q?s=AB\">AB</A></B>"
              "</FONT></TD></TR>\r\n</TBODY></TABLE>\r\n");
}

TEST(HtmlSerializer, AttributesKeepSourceOrderAndAreQuotedOnlyWhenNeeded)
{
    EXPECT_EQ(Body("<p CLASS=\"a-b.c_d9\" Id=x width=\"100%\" title='say \"hi\" & go' "
                   "data-e=\"\" nowrap>t</p>"),
              "<P class=a-b.c_d9 id=x width=\"100%\" title=\"say &quot;hi&quot; &amp; go\" "
              "data-e=\"\" nowrap>t</P>");
}

TEST(HtmlSerializer, TextIsEscapedAndLineBreaksBecomeCrLf)
{
    EXPECT_EQ(Body("<p>A &amp; B &lt;c&gt; d&nbsp;e \"q\" 'a' &copy;</p>"),
              std::string("<P>A &amp; B &lt;c&gt; d&nbsp;e \"q\" 'a' \xC2\xA9</P>"));
    // LF, CR LF and a lone CR in the source are each one line break.
    EXPECT_EQ(Body("<p>one\ntwo\r\nthree\rfour</p>"), "<P>one\r\ntwo\r\nthree\r\nfour</P>");
}

TEST(HtmlSerializer, VoidElementsScriptsCommentsAndUnknownTags)
{
    EXPECT_EQ(Body("a<br>b<img src=x.gif><hr/><input type=text>"),
              "a<BR>b<IMG src=x.gif><HR><INPUT type=text>");
    EXPECT_EQ(Body("x<script>if (a < b && c > d) x();\n</script><style>p>b{}</style>"),
              "x<SCRIPT>if (a < b && c > d) x();\r\n</SCRIPT><STYLE>p>b{}</STYLE>");
    EXPECT_EQ(Body("x<!-- note --><Blink>x</bLINK><my-tag a=1>y</my-tag>"),
              "x<!-- note --><BLINK>x</BLINK><MY-TAG a=1>y</MY-TAG>");
}

TEST(HtmlSerializer, ElementCollectionIsInDocumentOrderWithImpliedElements)
{
    auto document = HtmlDocument::Parse("<title>t</title><table><tr><td>x</table><p>y");
    const auto &all = document->All();
    QStringList names;
    for (int i = 0; i < all.Length(); ++i) names << all.Item(i)->tagName();
    EXPECT_EQ(names.join(' '), "HTML HEAD TITLE BODY TABLE TBODY TR TD P");
    EXPECT_EQ(all.Item(-1), nullptr);
    EXPECT_EQ(all.Item(all.Length()), nullptr);
    EXPECT_EQ(all.Item(5)->innerhtml(), "<TR><TD>x</TD></TR>");
}

TEST(HtmlSerializer, BytesInAnyEncodingAndJunkGiveADocument)
{
    // Single-byte text that is not UTF-8 is read as such; UTF-8 is read as UTF-8.
    EXPECT_EQ(BodyOf(*HtmlDocument::FromBytes(QByteArray("<p>caf\xE9</p>"))), "<P>caf\xC3\xA9</P>");
    EXPECT_EQ(BodyOf(*HtmlDocument::FromBytes(QByteArray("\xEF\xBB\xBF<p>caf\xC3\xA9</p>"),
                                              "text/html; charset=UTF-8")),
              "<P>caf\xC3\xA9</P>");
    // A declared single-byte charset wins over bytes that happen to be valid UTF-8.
    EXPECT_EQ(BodyOf(*HtmlDocument::FromBytes(QByteArray("<p>\xC3\xA9</p>"),
                                              "text/html; charset=\"ISO-8859-1\"")),
              "<P>\xC3\x83\xC2\xA9</P>");

    // Single-byte pages read as browsers read them, as windows-1252 (0x92 an apostrophe, 0x96 a
    // dash), whether the charset is in the header or only in a <meta> element.
    const std::tuple<QByteArray, QByteArray, std::string> western[] = {
        {"<p>O\x92Neil \x96 caf\xE9</p>", "text/html; charset=iso-8859-1",
         "<P>O\u2019Neil \u2013 caf\u00E9</P>"},
        {"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
         "charset=windows-1252\"></head><body>O\x92Neil</body>",
         "text/html", "O\u2019Neil"},
        {"<meta charset='us-ascii'><p>\xC3\xA9</p>", "", "<P>\u00C3\u00A9</P>"},
        {"<meta charset=utf-8><p>\xC3\xA9</p>", "text/html", "<P>\u00E9</P>"},
    };
    for (const auto &[bytes, contentType, body] : western) {
        const std::string got = BodyOf(*HtmlDocument::FromBytes(bytes, contentType));
        EXPECT_NE(got.find(body), std::string::npos) << got;
    }

    QByteArray junk;
    for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 131 + 7) % 256);
    auto document = HtmlDocument::FromBytes(junk);
    EXPECT_GE(document->All().Length(), 3);
    EXPECT_FALSE(BodyOf(*document).empty());

    // Nesting far deeper than any call stack would take.
    std::string deep;
    for (int i = 0; i < 30000; ++i) deep += "<div>";
    auto nested = HtmlDocument::Parse(deep);
    EXPECT_EQ(nested->All().Length(), 30003);
    EXPECT_EQ(BodyOf(*nested).size(), 30000 * 11);
}

TEST(HtmlSerializer, MarkupTooLargeForATreeIsRefusedAndABodyPastItsLimitIsNotWritten)
{
    // Eight megabytes of rows would be a tree of gigabytes.
    const auto rows = HtmlDocument::FromBytes("<table>" + QByteArray("<tr>").repeated(2'000'000));
    EXPECT_TRUE(rows->Refused());
    EXPECT_LE(rows->All().Length(), 3);  // the document of no markup
    EXPECT_FALSE(HtmlDocument::Parse(std::string(30000, 'x'))->Refused());

    // Each "&" is written "&amp;": the body is five times the page.
    const auto document = HtmlDocument::Parse("<p>" + std::string(200'000, '&'));
    const web::HtmlElement *body = document->All().Item(2);
    ASSERT_EQ(body->tagName(), "BODY");
    EXPECT_FALSE(body->InnerHtmlWithin(999'999));
    EXPECT_EQ(body->InnerHtmlWithin(1'000'007)->size(), 1'000'007);
}
