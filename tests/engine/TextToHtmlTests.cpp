// Head and body of a text file, and the body's mark-up.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "BodyScan.h"
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

// Text drawn mostly from the bytes that matter, so that runs of spaces, line ends
// and the edges of the scanner's 16- and 32-byte blocks meet in every way.
std::string RandomText(std::mt19937& random, std::size_t length) {
    static const char kAlphabet[] = {' ', ' ', ' ', '\n', '\r', 'a', 'b', '\t', '<', '&', '\0', '\xA0'};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 1);
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += kAlphabet[pick(random)];
    return text;
}

}  // namespace

TEST(SplitHeadAndBody, CasesFromTheRules) {
    struct Case {
        const char* label;
        std::string text, head, body;
    } cases[] = {
        {"CR LF lines", "My trip\r\nDay one\r\n", "My trip", "Day one\r\n"},
        {"one line ended by CR LF", "Only\r\n", "Only", ""},
        {"no line feed at all", "Beta", "", "Beta"},
        {"empty first line", "\r\nsecond\r\n", "", "second\r\n"},
        {"LF-only lines keep the whole first line", "Title\nbody\n", "Title", "body\n"},
        {"a one-byte first line ended by LF", "A\nrest", "A", "rest"},
        {"line feed first", "\nrest", "", "rest"},
        {"a lone CR before the line feed", "\r\nx", "", "x"},
        {"CR inside the first line stays", "Ti\rtle\r\nx", "Ti\rtle", "x"},
        {"only the last CR goes", "Head\r\r\nx", "Head\r", "x"},
        {"empty text", "", "", ""},
        {"NUL bytes are ordinary bytes here", "a\0b\r\nc\0"s, "a\0b"s, "c\0"s},
    };
    for (const Case& c : cases) {
        const HeadAndBody parts = SplitHeadAndBody(c.text);
        EXPECT_EQ(parts.head, c.head) << c.label;
        EXPECT_EQ(parts.body, c.body) << c.label;
    }
}

TEST(MakeHtmlBody, WorkedExample) {
    const std::string text = "My trip\r\nDay one:  we left early.\r\n   Three spaces here.\r\nBack home.\r\n";
    const HeadAndBody parts = SplitHeadAndBody(text);
    EXPECT_EQ(parts.head, "My trip");
    EXPECT_EQ(MakeHtmlBody(parts.body),
              "Day one:&nbsp;&nbsp;we left early.\r\n<br>&nbsp;&nbsp; Three spaces here.\r\n<br>"
              "Back home.\r\n<br>");
}

TEST(MakeHtmlBody, RunsOfSpacesLineEndsAndWhatStaysUnchanged) {
    struct Case {
        const char* label;
        std::string body, html;
    } cases[] = {
        {"one space", "a b", "a b"},
        {"two spaces", "a  b", "a&nbsp;&nbsp;b"},
        {"three spaces", "a   b", "a&nbsp;&nbsp; b"},
        {"four spaces", "a    b", "a&nbsp;&nbsp;&nbsp;&nbsp;b"},
        {"five spaces", "a     b", "a&nbsp;&nbsp;&nbsp;&nbsp; b"},
        {"spaces at both ends", "  x  ", "&nbsp;&nbsp;x&nbsp;&nbsp;"},
        {"LF alone", "a\nb\n", "a\n<br>b\n<br>"},
        {"CR stays before LF", "a\r\n", "a\r\n<br>"},
        {"blank lines", "\n\n", "\n<br>\n<br>"},
        {"spaces split by a line end", " \n ", " \n<br> "},
        {"markup, tabs and ampersands pass", "<b>x</b>\t&amp; \"q\"", "<b>x</b>\t&amp; \"q\""},
        {"placeholder words are kept", "$head $body", "$head $body"},
        {"empty", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeHtmlBody(c.body), c.html) << c.label;
}

TEST(MakeHtmlBody, MatchesTwoPlainReplacementsOnRandomText) {
    std::mt19937 random(20240601);
    for (std::size_t length = 0; length < 300; ++length) {
        for (int round = 0; round < 8; ++round) {
            const std::string body = RandomText(random, length);
            ASSERT_EQ(MakeHtmlBody(body), ReferenceHtmlBody(body)) << "length " << length;
        }
    }
}

TEST(MakeHtmlBody, MatchesThePlainReplacementsWhereMarksAreFarApart) {
    // Long stretches without marks let the block loop run, and the marks then fall
    // on every position of a block and across block edges.
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string body(1 + random() % 400, 'x');
        for (int marks = random() % 4; marks > 0; --marks) {
            const std::size_t at = random() % body.size();
            const std::size_t run = 1 + random() % 5;
            const char mark = (random() % 3) ? ' ' : '\n';
            for (std::size_t i = at; i < body.size() && i < at + run; ++i)
                body[i] = mark;
        }
        ASSERT_EQ(MakeHtmlBody(body), ReferenceHtmlBody(body)) << "body \"" << body << "\"";
    }
}

TEST(ScanWindow, AgreesWithTheBytewiseScan) {
    std::mt19937 random(11);
    for (int round = 0; round < 5000; ++round) {
        const std::string window = RandomText(random, 65);
        const WindowMasks fast = ScanWindow(window.data());
        const WindowMasks slow = ScanWindowBytewise(window.data());
        ASSERT_EQ(fast.lineFeeds, slow.lineFeeds);
        ASSERT_EQ(fast.spaces, slow.spaces);
        ASSERT_EQ(fast.spacesNext, slow.spacesNext);
    }
}

TEST(MakeHtmlBody, PairsRunOnAcrossWindowsOfTheScan) {
    // Runs of every length from every offset, so that runs cross one or more
    // 64-byte windows at both parities.
    for (std::size_t run = 1; run <= 140; run += 3) {
        for (std::size_t at = 0; at < 200; at += 7) {
            const std::string body = std::string(at, 'x') + std::string(run, ' ') + "y\n" + std::string(300, 'z');
            ASSERT_EQ(MakeHtmlBody(body), ReferenceHtmlBody(body)) << "run " << run << " at " << at;
        }
    }
}

TEST(WriteHtmlBody, GivesTheSameBytesThroughBuffersOfAnySize) {
    // Small buffers pass their bytes on many times, in the middle of blocks and of
    // runs of spaces; the pieces must join up to the same page.
    std::mt19937 random(5);
    for (std::size_t capacity : {1, 2, 7, 16, 31, 100}) {
        for (int round = 0; round < 200; ++round) {
            const std::string body = RandomText(random, random() % 400) + std::string(random() % 40, ' ');
            std::string html;
            StringSink sink(html);
            OutputBuffer buffer(sink, capacity);
            buffer.Append("<p>");
            WriteHtmlBody(body, buffer);
            buffer.Append(std::string(random() % 300, 'z'));
            ASSERT_TRUE(buffer.Finish());
            const std::string expected = "<p>" + ReferenceHtmlBody(body);
            ASSERT_EQ(html.substr(0, expected.size()), expected) << "capacity " << capacity;
        }
    }
}

TEST(OutputBuffer, ASinkThatFailsIsNotCalledAgainAndFinishSaysSo) {
    struct Refusing : ByteSink {
        int calls = 0;
        bool Put(const char*, std::size_t) override { ++calls; return false; }
    } sink;
    OutputBuffer buffer(sink, 8);
    buffer.Append("0123456789");
    buffer.Append("0123456789abcdefghij");
    EXPECT_FALSE(buffer.Finish());
    EXPECT_EQ(sink.calls, 1);
}
