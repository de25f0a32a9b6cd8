// The batch run: page names and numbers, the overwrite question, the index, and
// where and how a run stops.
#include <functional>
#include "PageMaker.h"
#include "PageNames.h"
#include "TemplateFilling.h"
#include "TestFiles.h"
#include "TextToHtml.h"

using namespace std::string_literals;

namespace {
class Run : public EngineRun {
protected:
    void SetUp() override { WriteBytes(program / "t.htm", "<title>$head</title>$body"); }
};
}  // namespace

TEST_F(Run, PagesAreNumberedInListOrderFromTheStartNumber) {
    const std::string a = Input("a.txt", "Alpha\r\none  two\r\n");
    job.inputFiles = {a, Input("b.txt", "Beta"), a};
    job.startNumber = -2;
    job.createIndex = true;
    WriteBytes(out / "index.htm", "before");
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(told, (Names{"0:" + a, "1:" + in / "b.txt", "2:" + a}));
    EXPECT_EQ(ReadBytes(out / "p-2.htm") + ReadBytes(out / "p-1.htm") + ReadBytes(out / "p0.htm"),
              "<title>Alpha</title>one&nbsp;&nbsp;two\r\n<br><title></title>Beta<title>Alpha</title>one&nbsp;&nbsp;"
              "two\r\n<br>");
    EXPECT_EQ(ReadBytes(out / "index.htm"),
              "before<a href=\"p-2.htm\">Alpha</a><br><a href=\"p-1.htm\"></a><br><a href=\"p0.htm\">Alpha</a><br>");
}

TEST_F(Run, NoAtTheSecondOfThreeExistingPagesStopsThere) {
    job = ConversionJob{{Input("1", "New 1"), Input("2", "New 2"), Input("3", "New 3")}, "t.htm", "", "",
                        out.Path() + kSep, "p", 1, true};  // one trailing separator goes
    for (const char* page : {"p1.htm", "p2.htm", "p3.htm"})
        WriteBytes(out / page, "old");
    answers = "yn";
    const RunOutcome outcome = Start();
    EXPECT_EQ(outcome.kind, RunOutcome::StoppedByUser);
    EXPECT_EQ(outcome.file, out / "p2.htm");
    EXPECT_EQ(outcome.pagesWritten, 1u);
    EXPECT_EQ(asked, (Names{out / "p1.htm", out / "p2.htm"}));
    EXPECT_EQ(ReadBytes(out / "p1.htm") + ReadBytes(out / "p2.htm") + ReadBytes(out / "p3.htm"),
              "<title></title>New 1oldold");
    EXPECT_EQ(ReadBytes(out / "index.htm"), MakeIndexStart(out.Name()) + "<a href=\"p1.htm\"></a><br>");
    // Without an answerer existing pages are kept. A text can become its own page.
    EXPECT_EQ(RunConversion(job, program.WithSeparator(), nullptr).kind, RunOutcome::StoppedByUser);
    job = ConversionJob{{out / "p2.htm"}, "t.htm", "", "", out.Path(), "p", 2};
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(ReadBytes(out / "p2.htm"), "<title></title>old");
}

TEST_F(Run, WhereAFileErrorStopsTheRun) {
    // The file the failure names, the pages written (and kept, with their entries) and the files told.
    const struct { const char* label; std::function<void()> arrange; std::string file; std::size_t pages, told; }
        rows[] = {
        {"a missing template, before any text", [&] { job.templateName = "none.htm"; }, program / "none.htm", 0, 0},
        {"a missing first text", [&] { job.inputFiles[0] = in / "absent.txt"; }, in / "absent.txt", 0, 1},
        {"a missing second text", [&] { job.inputFiles[1] = in / "absent.txt"; }, in / "absent.txt", 1, 2},
        {"a missing output folder", [&] { job.outputPath = out / "missing"; }, out / "missing" + kSep + "p0.htm", 0, 1},
        {"a folder as text", [&] { job.inputFiles[0] = in.Path(); }, in.Path(), 0, 1},
    };
    for (const auto& row : rows) {
        RemoveAll(out.Path()), MakeFolder(out.Path()), told.clear();
        job = ConversionJob{{Input("a", "A"), Input("b", "B"), Input("c", "C")}, "t.htm", "", "", out.Path(), "p", 0,1};
        row.arrange();
        const RunOutcome outcome = Start();
        EXPECT_TRUE(outcome.kind == RunOutcome::FileError && !outcome.reason.empty()) << row.label;
        EXPECT_EQ(outcome.file, row.file) << row.label;
        EXPECT_EQ(outcome.pagesWritten, row.pages) << row.label;
        EXPECT_EQ(told.size(), row.told) << row.label;
        EXPECT_EQ(out.Names(), (row.pages ? Names{"index.htm", "p0.htm"} : Names{})) << row.label;
    }
}

TEST_F(Run, LargeTextsGiveTheSamePagesWhateverTheTemplate) {
    // Runs of spaces straddle the edges of the pieces a text is read in, at every parity.
    auto acrossPieces = [](const std::string& firstLine, std::size_t pieces) {
        std::string text = firstLine + "\r\n";
        for (std::size_t edge = 1; edge <= pieces; text += std::string(edge % 6 + 1, ' '), ++edge)
            while (text.size() < edge * kTextPiece - edge % 4)
                text += (text.size() % 53 == 0) ? '\n' : 'a' + static_cast<char>(text.size() % 26);
        return text + "end\r\n";
    };
    const std::string texts[] = {
        acrossPieces("Title", 9),
        acrossPieces(std::string(kTextPiece + 100, 'h'), 3),       // the first line spans pieces
        acrossPieces("T", 5).insert(2 * kTextPiece + 7, 1, '\0'),  // the text ends in its third piece
        std::string(3 * kTextPiece, ' ') + "\n" + std::string(kTextPiece + 1, ' '),
        std::string(2 * kTextPiece + 5, 'x'),  // no line feed at all
        // First lines past the length held before a line feed is looked for.
        std::string(kLongLine + kTextPiece + 3, 'h') + "\r\nbody  two\n" + std::string(kTextPiece, ' '),
        std::string(kLongLine + kTextPiece + 3, 'h') + "  x",           // no line feed at all
        std::string(kLongLine + kTextPiece + 3, 'h') + "x\0\nafter"s,  // a NUL before any line feed
    };
    for (std::string templateText : {"<h1>$head</h1>$body<p>end</p>", "$body<hr>$body", "<p>$head</p>"}) {
        WriteBytes(program / "t.htm", (templateText += std::string(1 << 17, '.')) + '\0' + "$body after the end");
        for (const std::string& text : texts) {
            job.inputFiles = {Input("big.txt", text)};
            ASSERT_EQ(Start().kind, RunOutcome::Finished);
            const HeadAndBody parts = SplitHeadAndBody(std::string_view(text.c_str()));
            const std::string page = FillTemplate(templateText, parts.head, MakeHtmlBody(parts.body), "", "", "");
            ASSERT_TRUE(ReadBytes(out / "p0.htm") == page)
                << "text of " << text.size() << " bytes, template " << templateText.substr(0, 32);
        }
    }
}

TEST_F(Run, PagesLinkToTheirNeighboursAndTheIndexAndNumbersNeverWrap) {
    WriteBytes(program / "t.htm", "[$prev|$next|$index|$number|$count|$head|$keyword]");
    MakeFolder(out / "sub"), MakeFolder(out / "x/y"), MakeFolder(out / "x/z"), MakeFolder(out / "site");
    // Pages read in turn, as ConversionJob(outputPath, outputName, startNumber) makes them from texts 1, 2, 3.
    const struct { const char* label; std::string folder, name; std::int32_t start; std::size_t texts; Names pages;
                   std::string expected; } rows[] = {
        {"a negative start", out.Path(), "p", -1, 3, {"p-1.htm", "p0.htm", "p1.htm"},
         "[|p0.htm|index.htm|-1|3|1|$count]" "[p-1.htm|p1.htm|index.htm|0|3|2|$count]" "[p0.htm||index.htm|1|3|3|$count]"},
        {"past 32 bits", out.Path(), "p", 2147483647, 2, {"p2147483647.htm", "p2147483648.htm"},
         "[|p2147483648.htm|index.htm|2147483647|2|1|$count][p2147483647.htm||index.htm|2147483648|2|2|$count]"},
        {"a sub-folder, bytes to encode", out.Path(), "sub" + kSep + "a b$#\xC3\xA9", 9, 2, {"sub/a b$#\xC3\xA9" "9.htm",
         "sub/a b$#\xC3\xA9" "10.htm"}, "[|a%20b%24%23%C3%A910.htm|../index.htm|9|2|1|$count]"
         "[a%20b%24%23%C3%A99.htm||../index.htm|10|2|2|$count]"},
        {"down, here and back", out.Path(), "x/./y/../z/", 0, 1, {"x/z/0.htm"}, "[||../../index.htm|0|1|1|$count]"},
        {"above the output folder", out / "site", "../p", 0, 1, {"p0.htm"}, "[||site/index.htm|0|1|1|$count]"},
    };
    const Names texts = {Input("1", "1\n"), Input("2", "2\n"), Input("3", "3\n")};
    for (const auto& row : rows) {
        job = ConversionJob{{texts.begin(), texts.begin() + row.texts}, "t.htm", "$count", "", row.folder, row.name, row.start, true};
        ASSERT_EQ(Start().kind, RunOutcome::Finished) << row.label;
        std::string pages;
        for (const std::string& page : row.pages) pages += ReadBytes(out / page);
        EXPECT_EQ(pages, row.expected) << row.label;
    }
    EXPECT_NE(MakeIndexStart("<A & B>").find("<title>&lt;A &amp; B&gt;</title>"), std::string::npos);
    EXPECT_EQ(ResultPage(job) + "|" + ResultPage(ConversionJob{{}, "", "", "", "o", "p", -3}), out / "site" + kSep + "index.htm|o" + kSep + "p-3.htm");
}

TEST(PageNames, DevicesAndNamesTooLongAreFoundBeforeTheRun) {
    const std::string smile = "\xF0\x9F\x98\x80", e = "\xC3\xA9";  // two UTF-16 units, and one
    auto times = [](std::size_t n, const std::string& part) { std::string all; while (n--) all += part; return all; };
    const struct { const char* label; std::string name; int start; std::size_t count; std::string page, why; } rows[] = {
        {"COM from 1", "COM", 1, 1, "COM1.htm", "COM1 is a name Windows keeps for a device"},
        {"lpt in lower case, reached by the fifth page", "lpt", 5, 10, "lpt5.htm", "device"},
        {"LPT from 0: the second page", "LPT", 0, 10, "LPT1.htm", "device"},
        {"a device as a folder", "NUL" + kSep + "page", 0, 1, "NUL" + kSep + "page0.htm", "NUL is a name"},
        {"a device folder with an extension", "x" + kSep + "Aux.d" + kSep + "p", 0, 1, "x" + kSep + "Aux.d" + kSep + "p0.htm", "Aux is"},
        {"a device before the first dot", "prn .x", 3, 1, "prn .x3.htm", "device"},
        {"CON gives CON0", "CON", 0, 3, "", ""},
        {"COM from 10", "COM", 10, 90, "", ""},
        {"COM below 1", "COM", -9, 10, "", ""},
        {"only the start of a device's name", "console", 1, 1, "", ""},
        {"a name of 255", std::string(250, 'n'), 0, 1, "", ""},
        {"a name of 256", std::string(250, 'n'), 9, 2, std::string(250, 'n') + "10.htm", "too long"},
        {"a folder name too long", std::string(256, 'f') + kSep + "p", 0, 1, std::string(256, 'f') + kSep + "p0.htm", "too long"},
        {"letters counted once", times(250, e), 0, 1, "", ""},
        {"beyond the first plane, counted twice", times(126, smile), 0, 1, times(126, smile) + "0.htm", "too long"},
    };
    for (const auto& row : rows) {
        ConversionJob job;
        job.outputPath = "out";
        job.outputName = row.name;
        job.startNumber = row.start;
        const platform::FileResult refused = CheckPageNames(job, row.count);
        EXPECT_EQ(refused ? refused->path : "", row.page.empty() ? "" : "out" + kSep + row.page) << row.label;
        EXPECT_NE((refused ? refused->reason : "").find(row.why), std::string::npos) << row.label;
    }
}
