// The text rules of a page: head and body, the body's mark-up, template filling,
// the home link and the index entry's address.
#include <gtest/gtest.h>
#include <random>
#include "IndexFile.h"
#include "TemplateFilling.h"
#include "TextToHtml.h"

using namespace std::string_literals;

TEST(SplitHeadAndBodyThenMakeHtmlBody, Rules) {
    const struct { const char* label; std::string text, head, html; } rows[] = {
        {"worked example", "My trip\r\nDay one:  we left early.\r\n   Three spaces here.\r\nBack home.\r\n", "My trip",
         "Day one:&nbsp;&nbsp;we left early.\r\n<br>&nbsp;&nbsp; Three spaces here.\r\n<br>Back home.\r\n<br>"},
        {"one line ended by CR LF", "Only\r\n", "Only", ""},
        {"no line feed at all: all body", "Be  ta", "", "Be&nbsp;&nbsp;ta"},
        {"empty first line", "\r\nsecond\r\n", "", "second\r\n<br>"},
        {"LF-only lines keep the whole first line", "Title\nbody\n\n", "Title", "body\n<br>\n<br>"},
        {"only the last CR goes", "Ti\rtle\r\r\nx", "Ti\rtle\r", "x"},
        {"empty text", "", "", ""},
        {"NUL bytes are ordinary bytes here", "a\0b\r\nc\0"s, "a\0b"s, "c\0"s},
        {"one to five spaces", "\na b  c   d    e     f", "",
         "a b&nbsp;&nbsp;c&nbsp;&nbsp; d&nbsp;&nbsp;&nbsp;&nbsp;e&nbsp;&nbsp;&nbsp;&nbsp; f"},
        {"spaces at both ends, split by a line end", "\n  x \n ", "", "&nbsp;&nbsp;x \n<br> "},
        {"markup, tabs and placeholders pass", "\n<b>x</b>\t&amp; \"q\" $head", "", "<b>x</b>\t&amp; \"q\" $head"},
    };
    for (const auto& row : rows) {
        const HeadAndBody parts = SplitHeadAndBody(row.text);
        EXPECT_EQ(parts.head, row.head) << row.label;
        EXPECT_EQ(MakeHtmlBody(parts.body), row.html) << row.label;
    }
    // A view that starts at a line feed: the byte before it is not the text's.
    EXPECT_EQ(SplitHeadAndBody(std::string_view("\r\nx").substr(1)).head, "");
}

// Each processor path of the mark-up against the two replacements done the slow,
// obvious way: on random texts, and on runs of one to six spaces and line feeds
// at every offset from the edges of 16-, 32- and 64-byte vectors and of the
// byte-at-a-time tail, written through buffers small enough to pass their bytes
// on in the middle of a run.
class MarkUpOnPath : public ::testing::TestWithParam<MarkUpPath> {};

TEST_P(MarkUpOnPath, GivesThePlainReplacements) {
    if (!CanTake(GetParam()))
        GTEST_SKIP() << "this processor (or build) lacks the path";
    const auto replaceEach = [](const std::string& text, const std::string& what, const std::string& with) {
        std::string result;
        std::size_t from = 0;
        for (std::size_t at; (at = text.find(what, from)) != std::string::npos; from = at + what.size())
            result += text.substr(from, at - from) + with;
        return result + text.substr(from);
    };
    std::mt19937 random(5);
    const char alphabet[] = {' ', ' ', ' ', '\n', '\r', 'a', '\t', '<', '&', '\0', '\xA0'};
    const std::size_t capacities[] = {1, 2, 7, 16, 31, 100, 4096};
    for (int round = 0; round < 5200; ++round) {
        std::string body;
        if (round < 1200) {  // a run or a line feed, then more of the same after 64 bytes
            const std::string mark = round % 6 ? std::string(round % 6, ' ') : "\n";
            body = std::string(round / 6, 'x') + mark + std::string(64, 'y') + mark + std::string(round % 131, 'z');
        } else {
            body = std::string(random() % 200, 'x') + std::string(1 + random() % 140, ' ') + "y\n";
            for (std::size_t n = random() % 300; n > 0; --n)
                body += alphabet[random() % sizeof alphabet];
        }
        const std::string expected = replaceEach(replaceEach(body, "  ", "&nbsp;&nbsp;"), "\n", "\n<br>");
        std::string html;
        StringSink sink(html);
        OutputBuffer buffer(sink, capacities[round % 7]);
        WriteHtmlBodyOn(GetParam(), body, buffer);
        buffer.Append(std::string(round % 300, 'q'));
        ASSERT_TRUE(buffer.Finish() && html == expected + std::string(round % 300, 'q')) << "round " << round;
    }
}
std::string PathName(const ::testing::TestParamInfo<MarkUpPath>& path) {
    return path.param == MarkUpPath::Bytewise ? "Bytewise" : path.param == MarkUpPath::Sse2 ? "Sse2" : "Avx2";
}
INSTANTIATE_TEST_SUITE_P(Paths, MarkUpOnPath,
                         ::testing::Values(MarkUpPath::Bytewise, MarkUpPath::Sse2, MarkUpPath::Avx2), PathName);

TEST(FillTemplate, Rules) {
    const struct { const char* label; std::string text, head, body, keywords, expected; } rows[] = {
        {"each its value", "<title>$head</title>$keyword|$description|$website|$body", "H", "B", "K",
         "<title>H</title>K|D|W|B"},
        {"twice, empty values", "[$head][$body][$head]", "", "", "K", "[][][]"},
        {"later steps fill the head", "$head", "$keyword $description $website $body", "B", "K", "K D W B"},
        {"the body goes in last and keeps its words", "$body", "H", "$head $keyword $website $body", "K",
         "$head $keyword $website $body"},
        {"$head in later values stays", "$keyword", "H", "B", "$head", "$head"},
        {"a longer word matches its start", "$keywords $bodyText", "H", "B", "K", "Ks BText"},
        {"case-sensitive", "$HEAD $Head $hea $$head$", "H", "B", "K", "$HEAD $Head $hea $H$"},
        {"no rescan of insertions", "$head|$keyword", "$head$head", "B", "x$keywordx", "$head$head|x$keywordx"},
    };
    for (const auto& row : rows) {  // bodies without mark-up: written piece by piece, the same page
        EXPECT_EQ(FillTemplate(row.text, row.head, row.body, row.keywords, "D", "W"), row.expected) << row.label;
        EXPECT_EQ(BuildPage(row.text, row.head, row.body, row.keywords, "D", "W"), row.expected) << row.label;
    }
    EXPECT_EQ(MakeHomeLink("A & B", "x?a") + MakeHomeLink("", ""), "<a href=x?a>A & B</a><a href=></a>");
}

TEST(IndexEntry, AddressRelativeToTheIndexAndSafeForBrowsers) {
    const std::string sep(1, platform::kPathSeparator);
    const struct { const char* label; std::string folder, page, address; } rows[] = {
        {"plain name", "out", "out" + sep + "p5.htm", "p5.htm"},
        {"blank, quote, hash, percent, query", "out", "out" + sep + "a b\"c#d%e?f1.htm", "a%20b%22c%23d%25e%3Ff1.htm"},
        {"ampersand, control bytes", "out", "out" + sep + "a&b\t\x7F" "0.htm", "a%26b%09%7F0.htm"},
        {"sub-folder in the name", "out", "out" + sep + "sub" + sep + "p1.htm", "sub/p1.htm"},
        {"bytes above ASCII, one by one", "out", "out" + sep + "\xC3\xA9t1.htm", "%C3%A9t1.htm"},
        {"every byte from DEL up", "out", "out" + sep + "\x7F\xE6\x97\xA5~\xFF.htm", "%7F%E6%97%A5~%FF.htm"},
        {"root folder from an empty path", "", sep + "0.htm", "0.htm"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IndexAddress(row.folder, row.page), row.address) << row.label;
}
