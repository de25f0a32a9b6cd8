// Template filling, the home link, template loading and the index file.
#include <gtest/gtest.h>

#include <random>

#include "IndexFile.h"
#include "TemplateFilling.h"
#include "TestFiles.h"
#include "TextToHtml.h"

using namespace std::string_literals;

namespace {

std::string Fill(const std::string& templateText, const std::string& head = "H",
                 const std::string& body = "B", const std::string& keywords = "K",
                 const std::string& description = "D", const std::string& homeLink = "W") {
    return FillTemplate(templateText, head, body, keywords, description, homeLink);
}

}  // namespace

TEST(FillTemplate, EachPlaceholderGetsItsValue) {
    EXPECT_EQ(Fill("<title>$head</title>$keyword|$description|$website|$body"),
              "<title>H</title>K|D|W|B");
    EXPECT_EQ(Fill("$head and $head again"), "H and H again");
    EXPECT_EQ(Fill("<p>no placeholders</p>"), "<p>no placeholders</p>");
    EXPECT_EQ(Fill(""), "");
    EXPECT_EQ(Fill("[$head][$body]", "", ""), "[][]");
}

TEST(FillTemplate, OrderDecidesWhatLaterStepsSee) {
    // Placeholder words in the head are filled by the later steps.
    EXPECT_EQ(Fill("$head", "$keyword $description $website $body"), "K D W B");
    // A first line holding $body gets the whole body.
    EXPECT_EQ(Fill("<title>$head</title>", "$body", "the body"), "<title>the body</title>");
    // The body goes in last and keeps its placeholder words.
    EXPECT_EQ(Fill("$body", "H", "$head $keyword $description $website $body"),
              "$head $keyword $description $website $body");
    // $head in the other values comes too late to be replaced.
    EXPECT_EQ(Fill("$keyword $description $website", "H", "B", "$head", "$head", "$head"),
              "$head $head $head");
}

TEST(FillTemplate, MatchingIsExactCaseSensitiveAndNeverRescans) {
    EXPECT_EQ(Fill("$keywords"), "Ks");
    EXPECT_EQ(Fill("$bodyText"), "BText");
    EXPECT_EQ(Fill("$HEAD $Head $hea"), "$HEAD $Head $hea");
    EXPECT_EQ(Fill("$$head$"), "$H$");
    // A value holding its own placeholder is not replaced again.
    EXPECT_EQ(Fill("$head|$head", "$head$head"), "$head$head|$head$head");
    EXPECT_EQ(Fill("$keyword", "H", "B", "x$keywordx"), "x$keywordx");
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

TEST(MakeHomeLink, UnquotedAndUnescaped) {
    EXPECT_EQ(MakeHomeLink("Home", "index.htm"), "<a href=index.htm>Home</a>");
    EXPECT_EQ(MakeHomeLink("", ""), "<a href=></a>");
    EXPECT_EQ(MakeHomeLink("A & B", "http://x/?a=1&b=2"), "<a href=http://x/?a=1&b=2>A & B</a>");
}

TEST(LoadTemplate, ReadsProgramFolderPlusNameByTheReadingRule) {
    ScratchFolder program;
    WriteBytes(program / "t.htm", "<p>$body</p>\0ignored after NUL"s);
    std::string text;
    ASSERT_FALSE(LoadTemplate(program.WithSeparator(), "t.htm", text));
    EXPECT_EQ(text, "<p>$body</p>");

    // A name with a sub-folder part is read from that sub-folder.
    MakeFolder(program / "sub");
    WriteBytes(program / "sub" + platform::kPathSeparator + "u.htm", "sub template");
    ASSERT_FALSE(LoadTemplate(program.WithSeparator(), "sub"s + platform::kPathSeparator + "u.htm", text));
    EXPECT_EQ(text, "sub template");

    // Nothing is inserted between folder and name.
    const platform::FileResult failure = LoadTemplate(program.Path(), "t.htm", text);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->path, program.Path() + "t.htm");
    EXPECT_FALSE(failure->reason.empty());
}

TEST(IndexAddress, RelativeToTheIndexAndSafeForBrowsers) {
    const std::string sep(1, platform::kPathSeparator);
    const std::string folder = "out";
    struct Case {
        const char* label;
        std::string page, address;
    } cases[] = {
        {"plain name", "p5.htm", "p5.htm"},
        {"blank", "my page1.htm", "my%20page1.htm"},
        {"quote, hash, percent, query", "a\"b#c%d?e1.htm", "a%22b%23c%25d%3Fe1.htm"},
        {"ampersand would start a reference", "a&amp-1.htm", "a%26amp-1.htm"},
        {"control bytes", "a\tb0.htm", "a%09b0.htm"},
        {"sub-folder in the name", "sub" + sep + "p1.htm", "sub/p1.htm"},
        {"bytes above ASCII pass", "\xE9t\xE9" "1.htm", "\xE9t\xE9" "1.htm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IndexAddress(folder, folder + sep + c.page), c.address) << c.label;
    // A page in the root folder, from an empty output path.
    EXPECT_EQ(IndexAddress("", sep + "0.htm"), "0.htm");
    EXPECT_EQ(MakeIndexEntry("p%201.htm", "Alpha"), "<a href=\"p%201.htm\">Alpha</a><br>");
    EXPECT_EQ(MakeIndexEntry("p1.htm", ""), "<a href=\"p1.htm\"></a><br>");
}

TEST(AppendIndexEntry, AppendsWithoutSeparatorsAndKeepsWhatWasThere) {
    ScratchFolder out;
    ASSERT_FALSE(AppendIndexEntry(out.Path(), out / "p1.htm", "One"));
    EXPECT_EQ(ReadBytes(out / "index.htm"), "<a href=\"p1.htm\">One</a><br>");
    ASSERT_FALSE(AppendIndexEntry(out.Path(), out / "p2.htm", "Two"));
    EXPECT_EQ(ReadBytes(out / "index.htm"), "<a href=\"p1.htm\">One</a><br><a href=\"p2.htm\">Two</a><br>");

    WriteBytes(out / "index.htm", "earlier\r\n");
    ASSERT_FALSE(AppendIndexEntry(out.Path(), out / "p3.htm", "Three"));
    EXPECT_EQ(ReadBytes(out / "index.htm"), "earlier\r\n<a href=\"p3.htm\">Three</a><br>");
}

TEST(AppendIndexEntry, AFolderThatIsMissingIsAFileErrorAndCreatesNothing) {
    ScratchFolder out;
    const platform::FileResult failure = AppendIndexEntry(out / "missing", out / "missing" + "x", "h");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->path, IndexPath(out / "missing"));
    EXPECT_TRUE(out.Names().empty());
}
