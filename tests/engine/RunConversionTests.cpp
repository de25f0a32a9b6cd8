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
        job.templateName = "t.htm";
        job.outputPath = out.Path();
        job.outputName = "p";
    }
    std::string Input(const std::string& name, const std::string& bytes) {
        WriteBytes(in / name, bytes);
        return in / name;
    }
    // Answers come in turn, yes once they run out; every file the run starts is told.
    RunOutcome Start(std::function<void(std::size_t)> onFile = nullptr) {
        return RunConversion(
            job, program.WithSeparator(),
            [this](const std::string& pagePath) {
                asked.push_back(pagePath);
                const bool yes = answers.empty() || answers.front();
                if (!answers.empty())
                    answers.erase(answers.begin());
                return yes;
            },
            [this, onFile](std::size_t index, const std::string& file) {
                told.push_back(std::to_string(index) + ":" + file);
                if (onFile)
                    onFile(index);
            });
    }
    ScratchFolder program, in, out;
    ConversionJob job;
    Names asked, told;
    std::vector<bool> answers;
};

}  // namespace

TEST_F(Run, WorkedExample) {
    job.inputFiles = {Input("a.txt", "Alpha\r\none  two\r\n"), Input("b.txt", "Beta")};
    job.outputPath = out.Path() + kSep;
    job.startNumber = 5;
    job.createIndex = true;
    job.homeTitle = "Home";
    job.homeUrl = "index.htm";
    WriteBytes(out / "index.htm", "before");
    const RunOutcome outcome = Start();
    EXPECT_EQ(outcome.kind, RunOutcome::Finished);
    EXPECT_EQ(outcome.pagesWritten, 2u);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(told, (Names{"0:" + in / "a.txt", "1:" + in / "b.txt"}));
    EXPECT_EQ(ReadBytes(out / "p5.htm"), "<title>Alpha</title><a href=index.htm>Home</a>one&nbsp;&nbsp;two\r\n<br>");
    EXPECT_EQ(ReadBytes(out / "p6.htm"), "<title></title><a href=index.htm>Home</a>Beta");
    EXPECT_EQ(ReadBytes(out / "index.htm"), "before<a href=\"p5.htm\">Alpha</a><br><a href=\"p6.htm\"></a><br>");
    EXPECT_EQ(out.Names(), (Names{"index.htm", "p5.htm", "p6.htm"}));
}

TEST(PageNames, OutputFolderAndPagePath) {
    const struct {
        const char* label;
        std::string outputPath, name;
        long long number;
        std::string page;
    } rows[] = {
        {"plain", "out", "page", 1, "out" + kSep + "page1.htm"},
        {"one trailing separator goes", "out" + kSep, "page", 12, "out" + kSep + "page12.htm"},
        {"only one goes", "out" + kSep + kSep, "page", 1, "out" + kSep + kSep + "page1.htm"},
        {"a lone separator is the root", kSep, "page", 1, kSep + "page1.htm"},
        {"an empty name", "out", "", 0, "out" + kSep + "0.htm"},
        {"negative", "out", "p", -2, "out" + kSep + "p-2.htm"},
        {"past 32 bits", "out", "p", 2147483648LL, "out" + kSep + "p2147483648.htm"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PagePath(OutputFolder(row.outputPath), row.name, row.number), row.page) << row.label;
    EXPECT_EQ(OutputFolder(""), "");
}

TEST_F(Run, NumbersFollowTheListFromTheStartNumberWithoutWrapping) {
    const std::string a = Input("a.txt", "A\r\n");
    job.inputFiles = {a, Input("b.txt", "B\r\n"), a};
    job.startNumber = -2;
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(out.Names(), (Names{"p-1.htm", "p-2.htm", "p0.htm"}));
    EXPECT_EQ(ReadBytes(out / "p-2.htm"), ReadBytes(out / "p0.htm"));  // the same file twice
    EXPECT_NE(ReadBytes(out / "p-2.htm"), ReadBytes(out / "p-1.htm"));

    job.startNumber = 2147483646;
    job.outputName = "";
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(out.Names(), (Names{"2147483646.htm", "2147483647.htm", "2147483648.htm", "p-1.htm", "p-2.htm",
                                  "p0.htm"}));
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
    EXPECT_EQ(ReadBytes(out / "p1.htm"), "<title></title><a href=></a>New 1");
    for (int n = 2; n <= 5; ++n)
        EXPECT_EQ(ReadBytes(out / ("p" + std::to_string(n) + ".htm")), "old") << n;
    EXPECT_EQ(ReadBytes(out / "index.htm"), "<a href=\"p1.htm\"></a><br>");

    // Yes goes on and asks again at every existing page; without an answerer pages are kept.
    answers.clear();
    asked.clear();
    job.inputFiles.resize(2);
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(asked, (Names{out / "p1.htm", out / "p2.htm"}));
    EXPECT_EQ(ReadBytes(out / "p2.htm"), "<title></title><a href=></a>New 2");
    EXPECT_EQ(RunConversion(job, program.WithSeparator(), nullptr).kind, RunOutcome::StoppedByUser);
}

TEST_F(Run, ATextCanBeConvertedOntoItself) {
    job.inputFiles = {Input("p0.htm", "Self\r\nbody")};
    job.outputPath = in.Path();
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(asked, Names{in / "p0.htm"});
    EXPECT_EQ(ReadBytes(in / "p0.htm"), "<title>Self</title><a href=></a>body");
}

TEST_F(Run, WhereAFileErrorStopsTheRun) {
    const struct {
        const char* label;
        std::function<void()> arrange;
        std::string file;  // named by the failure
        std::size_t pagesWritten, filesTold;
        Names left;  // in the output folder
    } rows[] = {
        {"a missing template, before any listed file", [&] { job.templateName = "none.htm"; },
         program / "none.htm", 0, 0, {}},
        {"a missing first text, before its page", [&] { job.inputFiles[0] = in / "absent.txt"; },
         in / "absent.txt", 0, 1, {}},
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

TEST_F(Run, AnOutputFolderThatVanishesMidRunIsAFileErrorAtTheNextPage) {
    MakeFolder(out / "site");
    job.outputPath = out / "site";
    job.inputFiles = {Input("a.txt", "A"), Input("b.txt", "B")};
    const RunOutcome outcome = Start([&](std::size_t index) {
        if (index == 1)
            RemoveAll(out / "site");
    });
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, out / "site" + kSep + "p1.htm");
    EXPECT_EQ(outcome.pagesWritten, 1u);
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
        for (std::size_t edge = 1; edge <= pieces; ++edge) {
            while (text.size() < edge * kTextPiece - edge % 4)
                text += (text.size() % 53 == 0) ? '\n' : 'a' + static_cast<char>(text.size() % 26);
            text += std::string(edge % 6 + 1, ' ');
        }
        return text + "end\r\n";
    };
    const std::string texts[] = {
        acrossPieces("Title", 9),
        acrossPieces(std::string(kTextPiece + 100, 'h'), 3),         // the first line spans pieces
        acrossPieces("T", 5).insert(2 * kTextPiece + 7, 1, '\0'),  // the text ends in its third piece
        std::string(3 * kTextPiece, ' ') + "\n" + std::string(kTextPiece + 1, ' '),
        std::string(2 * kTextPiece + 5, 'x'),                       // no line feed at all
    };
    for (const std::string templateText : {"<h1>$head</h1>$body<p>end</p>", "$body<hr>$body", "<p>$head</p>"}) {
        WriteBytes(program / "t.htm", templateText);
        for (std::size_t i = 0; i < std::size(texts); ++i) {
            job.inputFiles = {Input("big.txt", texts[i])};
            ASSERT_EQ(Start().kind, RunOutcome::Finished);
            const std::string text = texts[i].substr(0, texts[i].find('\0'));
            const HeadAndBody parts = SplitHeadAndBody(text);
            ASSERT_EQ(ReadBytes(out / "p0.htm"),
                      FillTemplate(templateText, parts.head, MakeHtmlBody(parts.body), "", "", "<a href=></a>"))
                << "text " << i << ", template " << templateText;
        }
    }
}
