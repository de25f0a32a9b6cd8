// The text rules of a page: head and body, the body's mark-up, template filling,
// the home link, and the index entry with its address.
#include <gtest/gtest.h>

#include <random>

#include "IndexFile.h"
#include "TemplateFilling.h"
#include "TestFiles.h"
#include "TextToHtml.h"

using namespace std::string_literals;

namespace {

// The mark-up done the slow, obvious way: two whole-string replacements in turn.
std::string ReplaceEach(const std::string& text, const std::string& what, const std::string& with) {
    std::string result;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(what, from)) != std::string::npos; from = at + what.size())
        result += text.substr(from, at - from) + with;
    return result + text.substr(from);
}

std::string ReferenceHtmlBody(const std::string& body) {
    return ReplaceEach(ReplaceEach(body, "  ", "&nbsp;&nbsp;"), "\n", "\n<br>");
}

}  // namespace

TEST(SplitHeadAndBody, Rules) {
    const struct {
        const char* label;
        std::string text, head, body;
    } rows[] = {
        {"CR LF lines", "My trip\r\nDay one\r\n", "My trip", "Day one\r\n"},
        {"one line ended by CR LF", "Only\r\n", "Only", ""},
        {"no line feed at all", "Beta", "", "Beta"},
        {"empty first line", "\r\nsecond\r\n", "", "second\r\n"},
        {"LF-only lines keep the whole first line", "Title\nbody\n", "Title", "body\n"},
        {"line feed first", "\nrest", "", "rest"},
        {"only the last CR goes", "Ti\rtle\r\r\nx", "Ti\rtle\r", "x"},
        {"empty text", "", "", ""},
        {"NUL bytes are ordinary bytes here", "a\0b\r\nc\0"s, "a\0b"s, "c\0"s},
    };
    for (const auto& row : rows) {
        const HeadAndBody parts = SplitHeadAndBody(row.text);
        EXPECT_EQ(parts.head, row.head) << row.label;
        EXPECT_EQ(parts.body, row.body) << row.label;
    }
}

TEST(MakeHtmlBody, Rules) {
    const struct {
        const char* label;
        std::string body, html;
    } rows[] = {
        {"worked example", "Day one:  we left early.\r\n   Three spaces here.\r\nBack home.\r\n",
         "Day one:&nbsp;&nbsp;we left early.\r\n<br>&nbsp;&nbsp; Three spaces here.\r\n<br>Back home.\r\n<br>"},
        {"one space", "a b", "a b"},
        {"two to five spaces", "a  b   c    d     e",
         "a&nbsp;&nbsp;b&nbsp;&nbsp; c&nbsp;&nbsp;&nbsp;&nbsp;d&nbsp;&nbsp;&nbsp;&nbsp; e"},
        {"spaces at both ends", "  x  ", "&nbsp;&nbsp;x&nbsp;&nbsp;"},
        {"LF alone and blank lines", "a\n\n", "a\n<br>\n<br>"},
        {"spaces split by a line end", " \n ", " \n<br> "},
        {"markup, tabs, ampersands and placeholders pass", "<b>x</b>\t&amp; \"q\" $head", "<b>x</b>\t&amp; \"q\" $head"},
        {"empty", "", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(MakeHtmlBody(row.body), row.html) << row.label;
}

TEST(MakeHtmlBody, MatchesTwoPlainReplacementsInStringsAndThroughSmallBuffers) {
    // Random text from the bytes that matter, and long runs of spaces at every offset,
    // so runs and line ends meet the edges of the scanner's windows and of buffers
    // small enough to pass their bytes on in the middle of a run.
    std::mt19937 random(5);
    static const char kAlphabet[] = {' ', ' ', ' ', '\n', '\r', 'a', '\t', '<', '&', '\0', '\xA0'};
    const std::size_t capacities[] = {1, 2, 7, 16, 31, 100, 4096};
    for (int round = 0; round < 4000; ++round) {
        std::string body;
        if (round % 2)
            for (std::size_t n = random() % 300; n > 0; --n)
                body += kAlphabet[random() % sizeof kAlphabet];
        else
            body = std::string(random() % 200, 'x') + std::string(1 + random() % 140, ' ') + "y\n" +
                   std::string(random() % 100, 'z');
        const std::string expected = ReferenceHtmlBody(body);
        ASSERT_EQ(MakeHtmlBody(body), expected) << "round " << round;
        std::string html;
        StringSink sink(html);
        OutputBuffer buffer(sink, capacities[round % 7]);
        buffer.Append("<p>");
        WriteHtmlBody(body, buffer);
        buffer.Append(std::string(round % 300, 'z'));
        ASSERT_TRUE(buffer.Finish());
        ASSERT_EQ(html, "<p>" + expected + std::string(round % 300, 'z')) << "round " << round;
    }
}

TEST(OutputBuffer, ASinkThatFailsIsNotCalledAgainAndFinishSaysSo) {
    struct Refusing : ByteSink {
        int calls = 0;
        bool Put(const char*, std::size_t) override { return ++calls, false; }
    } sink;
    OutputBuffer buffer(sink, 8);
    buffer.Append("0123456789");
    buffer.Append("0123456789abcdefghij");
    EXPECT_FALSE(buffer.Finish());
    EXPECT_EQ(sink.calls, 1);
}

TEST(FillTemplate, Rules) {
    const struct {
        const char* label;
        std::string templateText, head, body, keywords, expected;
    } rows[] = {
        {"each placeholder its value", "<title>$head</title>$keyword|$description|$website|$body", "H", "B", "K",
         "<title>H</title>K|D|W|B"},
        {"twice", "$head and $head", "H", "B", "K", "H and H"},
        {"none", "<p>none</p>", "H", "B", "K", "<p>none</p>"},
        {"empty values", "[$head][$body]", "", "", "K", "[][]"},
        {"later steps fill the head", "$head", "$keyword $description $website $body", "B", "K", "K D W B"},
        {"the body goes in last and keeps its words", "$body", "H", "$head $keyword $website $body", "K",
         "$head $keyword $website $body"},
        {"$head in later values stays", "$keyword", "H", "B", "$head", "$head"},
        {"a longer word matches its start", "$keywords $bodyText", "H", "B", "K", "Ks BText"},
        {"case-sensitive", "$HEAD $Head $hea", "H", "B", "K", "$HEAD $Head $hea"},
        {"dollars around", "$$head$", "H", "B", "K", "$H$"},
        {"no rescan of insertions", "$head|$keyword", "$head$head", "B", "x$keywordx", "$head$head|x$keywordx"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FillTemplate(row.templateText, row.head, row.body, row.keywords, "D", "W"), row.expected)
            << row.label;
    EXPECT_EQ(MakeHomeLink("A & B", "http://x/?a=1&b=2"), "<a href=http://x/?a=1&b=2>A & B</a>");
    EXPECT_EQ(MakeHomeLink("", ""), "<a href=></a>");
}

TEST(BuildPage, EqualsFillTemplateWithTheMarkedUpBody) {
    std::mt19937 random(99);
    const std::string pieces[] = {"$body", "$head", "  ", " ", "\r\n", "\n", "x", "$", "$bod"};
    for (int round = 0; round < 500; ++round) {
        std::string templateText, head, body;
        for (int i = random() % 8; i > 0; --i) templateText += pieces[random() % 9];
        for (int i = random() % 4; i > 0; --i) head += pieces[random() % 9];
        for (int i = random() % 12; i > 0; --i) body += pieces[random() % 9];
        ASSERT_EQ(BuildPage(templateText, head, body, "K", "D", "W"),
                  FillTemplate(templateText, head, MakeHtmlBody(body), "K", "D", "W"))
            << "template \"" << templateText << "\" head \"" << head << "\" body \"" << body << "\"";
    }
}

TEST(LoadTemplate, ReadsProgramFolderPlusNameUpToTheFirstNul) {
    ScratchFolder program;
    MakeFolder(program / "sub");
    WriteBytes(program / "t.htm", "<p>$body</p>\0ignored"s);
    WriteBytes(program / "sub" + platform::kPathSeparator + "u.htm", "sub template");
    std::string text;
    ASSERT_FALSE(LoadTemplate(program.WithSeparator(), "t.htm", text));
    EXPECT_EQ(text, "<p>$body</p>");
    ASSERT_FALSE(LoadTemplate(program.WithSeparator(), "sub"s + platform::kPathSeparator + "u.htm", text));
    EXPECT_EQ(text, "sub template");
    const platform::FileResult failure = LoadTemplate(program.Path(), "t.htm", text);  // nothing inserted
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->path, program.Path() + "t.htm");
    EXPECT_FALSE(failure->reason.empty());
}

TEST(IndexEntry, AddressRelativeToTheIndexAndSafeForBrowsers) {
    const std::string sep(1, platform::kPathSeparator);
    const struct {
        const char* label;
        std::string folder, page, address;
    } rows[] = {
        {"plain name", "out", "out" + sep + "p5.htm", "p5.htm"},
        {"blank", "out", "out" + sep + "my page1.htm", "my%20page1.htm"},
        {"quote, hash, percent, query", "out", "out" + sep + "a\"b#c%d?e1.htm", "a%22b%23c%25d%3Fe1.htm"},
        {"ampersand, control bytes", "out", "out" + sep + "a&b\t\x7F" "0.htm", "a%26b%09%7F0.htm"},
        {"sub-folder in the name", "out", "out" + sep + "sub" + sep + "p1.htm", "sub/p1.htm"},
        {"bytes above ASCII pass", "out", "out" + sep + "\xE9t\xE9" "1.htm", "\xE9t\xE9" "1.htm"},
        {"root folder from an empty path", "", sep + "0.htm", "0.htm"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IndexAddress(row.folder, row.page), row.address) << row.label;
    EXPECT_EQ(MakeIndexEntry("p%201.htm", ""), "<a href=\"p%201.htm\"></a><br>");
}

TEST(AppendIndexEntry, AppendsToWhatWasThereAndAMissingFolderCreatesNothing) {
    ScratchFolder out;
    ASSERT_FALSE(AppendIndexEntry(out.Path(), out / "p1.htm", "One"));
    ASSERT_FALSE(AppendIndexEntry(out.Path(), out / "p2.htm", "Two"));
    EXPECT_EQ(ReadBytes(out / "index.htm"), "<a href=\"p1.htm\">One</a><br><a href=\"p2.htm\">Two</a><br>");
    WriteBytes(out / "index.htm", "earlier\r\n");
    ASSERT_FALSE(AppendIndexEntry(out.Path(), out / "p3.htm", "Three"));
    EXPECT_EQ(ReadBytes(out / "index.htm"), "earlier\r\n<a href=\"p3.htm\">Three</a><br>");

    const platform::FileResult failure = AppendIndexEntry(out / "missing", out / "missing" + "x", "h");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->path, IndexPath(out / "missing"));
    EXPECT_EQ(out.Names(), std::vector<std::string>{"index.htm"});
}
