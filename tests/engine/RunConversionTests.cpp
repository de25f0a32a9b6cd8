// The batch run: page names and numbers, the overwrite question, the index, and
// where and how a run stops.
#include <gtest/gtest.h>

#include <functional>

#include "PageMaker.h"
#include "RunConversion.h"
#include "TemplateFilling.h"
#include "TestFiles.h"
#include "TextToHtml.h"

using namespace std::string_literals;

namespace {

const std::string kSep(1, platform::kPathSeparator);
using Names = std::vector<std::string>;

class Run : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(program / "t.htm", "<title>$head</title>$website$body");
        job = ConversionJob{{}, "t.htm", "", "", out.Path(), "p", 0, false, "Home", "index.htm"};
    }
    std::string Input(const std::string& name, const std::string& bytes) {
        WriteBytes(in / name, bytes);
        return in / name;
    }
    // Answers come in turn, yes once they run out; every file the run starts is told.
    RunOutcome Start() {
        const auto answer = [this](const std::string& pagePath) {
            asked.push_back(pagePath);
            const bool yes = answers.empty() || answers.front();
            answers.erase(answers.begin(), answers.begin() + (answers.empty() ? 0 : 1));
            return yes;
        };
        return RunConversion(job, program.WithSeparator(), answer, [this](std::size_t index, const std::string& file) {
            told.push_back(std::to_string(index) + ":" + file);
        });
    }
    ScratchFolder program, in, out;
    ConversionJob job;
    Names asked, told;
    std::vector<bool> answers;
};

}  // namespace

TEST(PageNames, OutputFolderAndPagePath) {
    const struct { const char* label; std::string outputPath, name, page; } rows[] = {
        {"one trailing separator goes", "out" + kSep, "page", "out" + kSep + "page12.htm"},
        {"only one goes", "out" + kSep + kSep, "page", "out" + kSep + kSep + "page12.htm"},
        {"a lone separator is the root", kSep, "page", kSep + "page12.htm"},
        {"an empty name, an empty path", "", "", kSep + "12.htm"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PagePath(OutputFolder(row.outputPath), row.name, 12), row.page) << row.label;
}

TEST_F(Run, PagesAreNumberedInListOrderFromTheStartNumberWithoutWrapping) {
    const std::string a = Input("a.txt", "Alpha\r\none  two\r\n");
    job.inputFiles = {a, Input("b.txt", "Beta"), a};
    job.startNumber = -2;
    job.createIndex = true;
    WriteBytes(out / "index.htm", "before");
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(told, (Names{"0:" + a, "1:" + in / "b.txt", "2:" + a}));
    EXPECT_EQ(ReadBytes(out / "p-2.htm"), "<title>Alpha</title><a href=index.htm>Home</a>one&nbsp;&nbsp;two\r\n<br>");
    EXPECT_EQ(ReadBytes(out / "p-1.htm"), "<title></title><a href=index.htm>Home</a>Beta");
    EXPECT_EQ(ReadBytes(out / "p0.htm"), ReadBytes(out / "p-2.htm"));  // the same file twice
    EXPECT_EQ(ReadBytes(out / "index.htm"),
              "before<a href=\"p-2.htm\">Alpha</a><br><a href=\"p-1.htm\"></a><br><a href=\"p0.htm\">Alpha</a><br>");
    job.startNumber = 2147483646;
    job.outputName = "";
    job.createIndex = false;
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(out.Names(), (Names{"2147483646.htm", "2147483647.htm", "2147483648.htm", "index.htm", "p-1.htm",
                                  "p-2.htm", "p0.htm"}));
}

TEST_F(Run, NoAtTheSecondOfFiveExistingPagesStopsThere) {
    for (int n = 1; n <= 5; ++n) {
        job.inputFiles.push_back(Input("t" + std::to_string(n) + ".txt", "New " + std::to_string(n)));
        WriteBytes(out / ("p" + std::to_string(n) + ".htm"), "old");
    }
    job.startNumber = 1;
    job.createIndex = true;
    answers = {true, false};
    const RunOutcome outcome = Start();
    EXPECT_EQ(outcome.kind, RunOutcome::StoppedByUser);
    EXPECT_EQ(outcome.file, out / "p2.htm");
    EXPECT_EQ(outcome.pagesWritten, 1u);
    EXPECT_EQ(asked, (Names{out / "p1.htm", out / "p2.htm"}));
    EXPECT_EQ(ReadBytes(out / "p1.htm"), "<title></title><a href=index.htm>Home</a>New 1");
    for (int n = 2; n <= 5; ++n)
        EXPECT_EQ(ReadBytes(out / ("p" + std::to_string(n) + ".htm")), "old") << n;
    EXPECT_EQ(ReadBytes(out / "index.htm"), "<a href=\"p1.htm\"></a><br>");
    // Without an answerer existing pages are kept. A text can become its own page.
    EXPECT_EQ(RunConversion(job, program.WithSeparator(), nullptr).kind, RunOutcome::StoppedByUser);
    job.inputFiles = {out / "p2.htm"};
    job.startNumber = 2;
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(ReadBytes(out / "p2.htm"), "<title></title><a href=index.htm>Home</a>old");
}

TEST_F(Run, WhereAFileErrorStopsTheRun) {
    const struct {
        const char* label;
        std::function<void()> arrange;
        std::string file;  // named by the failure
        std::size_t pagesWritten, filesTold;
        Names left;  // in the output folder
    } rows[] = {
        {"a missing template, before any text", [&] { job.templateName = "none.htm"; }, program / "none.htm", 0, 0, {}},
        {"a missing first text", [&] { job.inputFiles[0] = in / "absent.txt"; }, in / "absent.txt", 0, 1, {}},
        {"a missing second text, the first page stays", [&] { job.inputFiles[1] = in / "absent.txt"; },
         in / "absent.txt", 1, 2, {"index.htm", "p0.htm"}},
        {"a missing output folder, at the first page", [&] { job.outputPath = out / "missing"; },
         out / "missing" + kSep + "p0.htm", 0, 1, {}},
        {"a folder as text", [&] { job.inputFiles[0] = in.Path(); }, in.Path(), 0, 1, {}},
    };
    for (const auto& row : rows) {
        RemoveAll(out.Path());
        MakeFolder(out.Path());
        job = ConversionJob{{Input("a.txt", "A"), Input("b.txt", "B"), Input("c.txt", "C")}, "t.htm", "", "",
                            out.Path(), "p", 0, true};
        told.clear();
        row.arrange();
        const RunOutcome outcome = Start();
        EXPECT_EQ(outcome.kind, RunOutcome::FileError) << row.label;
        EXPECT_EQ(outcome.file, row.file) << row.label;
        EXPECT_FALSE(outcome.reason.empty()) << row.label;
        EXPECT_EQ(outcome.pagesWritten, row.pagesWritten) << row.label;
        EXPECT_EQ(told.size(), row.filesTold) << row.label;
        EXPECT_EQ(out.Names(), row.left) << row.label;
    }
}

TEST_F(Run, TextsAndTemplatesEndAtTheirFirstNulAndTheIndexOnlyGrowsWhenAskedFor) {
    WriteBytes(program / "t.htm", "[$body]\0[$head]"s);
    job.inputFiles = {Input("a.txt", "H\r\nbody\0hidden\r\n"s)};
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "[body]");
    EXPECT_EQ(out.Names(), Names{"p0.htm"});
    WriteBytes(program / "t.htm", "");  // an empty template gives empty pages
    job.createIndex = true;
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    job.outputPath = out.Path() + kSep;  // the same index either way
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "");
    EXPECT_EQ(ReadBytes(out / "index.htm"), "<a href=\"p0.htm\">H</a><br><a href=\"p0.htm\">H</a><br>");
    EXPECT_EQ(out.Names(), (Names{"index.htm", "p0.htm"}));  // nothing left beside
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
    };
    for (const std::string templateText : {"<h1>$head</h1>$body<p>end</p>", "$body<hr>$body", "<p>$head</p>"}) {
        WriteBytes(program / "t.htm", templateText);
        for (const std::string& text : texts) {
            job.inputFiles = {Input("big.txt", text)};
            ASSERT_EQ(Start().kind, RunOutcome::Finished);
            const HeadAndBody parts = SplitHeadAndBody(std::string_view(text.c_str()));
            ASSERT_EQ(ReadBytes(out / "p0.htm"), FillTemplate(templateText, parts.head, MakeHtmlBody(parts.body), "",
                                                              "", MakeHomeLink("Home", "index.htm")))
                << "text of " << text.size() << " bytes, template " << templateText;
        }
    }
}
