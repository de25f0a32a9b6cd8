// The batch run: page names and numbers, the overwrite question, the index, and
// where a run stops.
#include <gtest/gtest.h>

#include "IndexFile.h"
#include "PageMaker.h"
#include "TemplateFilling.h"
#include "TextToHtml.h"
#include "RunConversion.h"
#include "TestFiles.h"

using namespace std::string_literals;

namespace {

const std::string kSep(1, platform::kPathSeparator);

class Run : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(program / "t.htm", "<title>$head</title>$website$body");
        job.templateName = "t.htm";
        job.outputPath = out.Path();
        job.outputName = "p";
    }

    std::string Input(const std::string& name, const std::string& bytes) {
        const std::string path = in / name;
        WriteBytes(path, bytes);
        return path;
    }

    RunOutcome Start() {
        return RunConversion(job, program.WithSeparator(), [this](const std::string& pagePath) {
            asked.push_back(pagePath);
            const bool yes = answers.empty() ? true : answers.front();
            if (!answers.empty())
                answers.erase(answers.begin());
            return yes;
        });
    }

    ScratchFolder program, in, out;
    ConversionJob job;
    std::vector<std::string> asked;
    std::vector<bool> answers;  // given in turn; yes once they run out
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
    EXPECT_EQ(ReadBytes(out / "p5.htm"), "<title>Alpha</title><a href=index.htm>Home</a>one&nbsp;&nbsp;two\r\n<br>");
    EXPECT_EQ(ReadBytes(out / "p6.htm"), "<title></title><a href=index.htm>Home</a>Beta");
    EXPECT_EQ(ReadBytes(out / "index.htm"),
              "before<a href=\"p5.htm\">Alpha</a><br><a href=\"p6.htm\"></a><br>");
    EXPECT_EQ(out.Names(), (std::vector<std::string>{"index.htm", "p5.htm", "p6.htm"}));
}

TEST(PageNames, OutputFolderAndPagePath) {
    EXPECT_EQ(OutputFolder("out"), "out");
    EXPECT_EQ(OutputFolder("out" + kSep), "out");
    EXPECT_EQ(OutputFolder("out" + kSep + kSep), "out" + kSep);
    EXPECT_EQ(OutputFolder(kSep), "");
    EXPECT_EQ(OutputFolder(""), "");
    EXPECT_EQ(PagePath("out", "page", 1), "out" + kSep + "page1.htm");
    EXPECT_EQ(PagePath("out" + kSep, "page", 1), "out" + kSep + kSep + "page1.htm");
    EXPECT_EQ(PagePath("", "page", 1), kSep + "page1.htm");
    EXPECT_EQ(PagePath("out", "", 0), "out" + kSep + "0.htm");
    EXPECT_EQ(PagePath("out", "p", -2), "out" + kSep + "p-2.htm");
    EXPECT_EQ(PagePath("out", "p", 2147483648LL), "out" + kSep + "p2147483648.htm");
}

TEST_F(Run, NumbersFollowTheListFromTheStartNumber) {
    const std::string a = Input("a.txt", "A\r\n");
    job.inputFiles = {a, Input("b.txt", "B\r\n"), a};
    job.startNumber = -2;
    job.outputName = "page";
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(out.Names(), (std::vector<std::string>{"page-1.htm", "page-2.htm", "page0.htm"}));
    // The same file listed twice gives two identical pages.
    EXPECT_EQ(ReadBytes(out / "page-2.htm"), ReadBytes(out / "page0.htm"));
    EXPECT_NE(ReadBytes(out / "page-2.htm"), ReadBytes(out / "page-1.htm"));
}

TEST_F(Run, AnEmptyNameGivesPagesNamedByTheNumberAlone) {
    job.inputFiles = {Input("a.txt", "A")};
    job.outputName = "";
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(out.Names(), (std::vector<std::string>{"0.htm"}));
}

TEST_F(Run, TheCounterGoesPastTheLargest32BitNumberWithoutWrapping) {
    const std::string a = Input("a.txt", "A");
    job.inputFiles = {a, a, a};
    job.startNumber = 2147483646;
    job.createIndex = true;
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(out.Names(), (std::vector<std::string>{"index.htm", "p2147483646.htm", "p2147483647.htm",
                                                     "p2147483648.htm"}));
    EXPECT_NE(ReadBytes(out / "index.htm").find("p2147483648.htm"), std::string::npos);
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
    EXPECT_EQ(asked, (std::vector<std::string>{out / "p1.htm", out / "p2.htm"}));
    EXPECT_EQ(ReadBytes(out / "p1.htm"), "<title></title><a href=></a>New 1");
    for (int n = 2; n <= 5; ++n)
        EXPECT_EQ(ReadBytes(out / ("p" + std::to_string(n) + ".htm")), "old") << n;
    // Index entries exist for exactly the pages written before the stop.
    EXPECT_EQ(ReadBytes(out / "index.htm"), "<a href=\"p1.htm\"></a><br>");
}

TEST_F(Run, YesReplacesAndEveryLaterExistingPageIsAskedAbout) {
    for (int n = 0; n < 3; ++n) {
        job.inputFiles.push_back(Input("t" + std::to_string(n) + ".txt", "x"));
        WriteBytes(out / ("p" + std::to_string(n) + ".htm"), "old");
    }
    job.inputFiles.push_back(Input("t3.txt", "x"));  // p3.htm is new: no question
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(asked, (std::vector<std::string>{out / "p0.htm", out / "p1.htm", out / "p2.htm"}));
    EXPECT_EQ(ReadBytes(out / "p2.htm"), "<title></title><a href=></a>x");
}

TEST_F(Run, WithoutAnAnswererAnExistingPageIsKept) {
    job.inputFiles = {Input("a.txt", "A")};
    WriteBytes(out / "p0.htm", "old");
    EXPECT_EQ(RunConversion(job, program.WithSeparator(), nullptr).kind, RunOutcome::StoppedByUser);
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "old");
}

TEST_F(Run, ATextCanBeConvertedOntoItself) {
    job.inputFiles = {Input("p0.htm", "Self\r\nbody")};
    job.outputPath = in.Path();
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(asked, std::vector<std::string>{in / "p0.htm"});
    EXPECT_EQ(ReadBytes(in / "p0.htm"), "<title>Self</title><a href=></a>body");
}

TEST_F(Run, AMissingTemplateFailsBeforeAnyListedFileIsRead) {
    job.templateName = "none.htm";
    job.inputFiles = {in / "missing.txt"};
    job.outputPath = out / "missing";
    std::vector<std::string> told;
    const RunOutcome outcome = RunConversion(job, program.WithSeparator(), nullptr,
                                             [&](std::size_t, const std::string& f) { told.push_back(f); });
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, program / "none.htm");
    EXPECT_FALSE(outcome.reason.empty());
    EXPECT_TRUE(told.empty());
}

TEST_F(Run, AMissingOutputFolderFailsAtTheFirstPageAfterItsTextWasRead) {
    job.outputPath = out / "missing";
    // The first text is read before the page is written: a missing one is named.
    job.inputFiles = {in / "absent.txt", Input("b.txt", "B")};
    RunOutcome outcome = Start();
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, in / "absent.txt");

    // With a readable first text, the page is what fails; the second text is never
    // looked at.
    job.inputFiles = {in / "b.txt", in / "absent.txt"};
    outcome = Start();
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, out / "missing" + kSep + "p0.htm");
    EXPECT_EQ(outcome.pagesWritten, 0u);
    EXPECT_TRUE(out.Names().empty());
}

TEST_F(Run, AnOutputFolderThatVanishesMidRunIsAFileErrorAtTheNextPage) {
    MakeFolder(out / "site");
    job.outputPath = out / "site";
    job.inputFiles = {Input("a.txt", "A"), Input("b.txt", "B")};
    const RunOutcome outcome =
        RunConversion(job, program.WithSeparator(), nullptr, [&](std::size_t index, const std::string&) {
            if (index == 1)
                RemoveAll(out / "site");
        });
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, out / "site" + kSep + "p1.htm");
    EXPECT_EQ(outcome.pagesWritten, 1u);
    EXPECT_TRUE(out.Names().empty());
}

TEST_F(Run, AListedFileThatCannotBeReadEndsTheRunAndEarlierPagesStay) {
    job.inputFiles = {Input("a.txt", "A"), in / "absent.txt", Input("c.txt", "C")};
    job.createIndex = true;
    const RunOutcome outcome = Start();
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, in / "absent.txt");
    EXPECT_EQ(outcome.pagesWritten, 1u);
    EXPECT_EQ(out.Names(), (std::vector<std::string>{"index.htm", "p0.htm"}));
}

TEST_F(Run, TextsAndTemplatesEndAtTheirFirstNulByte) {
    WriteBytes(program / "t.htm", "[$body]\0[$head]"s);
    job.inputFiles = {Input("a.txt", "H\r\nbody\0hidden\r\n"s)};
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "[body]");
}

TEST_F(Run, AnEmptyTemplateGivesEmptyPages) {
    WriteBytes(program / "t.htm", "");
    job.inputFiles = {Input("a.txt", "A\r\nB")};
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "");
}

TEST_F(Run, TheIndexIsOnlyEverAppendedToAndOnlyWhenAskedFor) {
    job.inputFiles = {Input("a.txt", "Alpha\r\n")};
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_FALSE(Exists(out / "index.htm"));

    job.createIndex = true;
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    job.outputPath = out.Path() + kSep;  // the same index either way
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(ReadBytes(out / "index.htm"), "<a href=\"p0.htm\">Alpha</a><br><a href=\"p0.htm\">Alpha</a><br>");
    EXPECT_EQ(out.Names(), (std::vector<std::string>{"index.htm", "p0.htm"}));  // nothing left beside
}

TEST_F(Run, ProgressIsToldBeforeEachFileInListOrder) {
    job.inputFiles = {Input("a.txt", "A"), Input("b.txt", "B")};
    std::vector<std::string> told;
    RunConversion(job, program.WithSeparator(), nullptr,
                  [&](std::size_t index, const std::string& file) {
                      told.push_back(std::to_string(index) + ":" + file);
                  });
    EXPECT_EQ(told, (std::vector<std::string>{"0:" + in / "a.txt", "1:" + in / "b.txt"}));
}

TEST(RunOutcomeText, AFileErrorNamesTheFileAndTheReason) {
    RunOutcome outcome;
    outcome.kind = RunOutcome::FileError;
    outcome.file = "x.txt";
    outcome.reason = "No such file or directory";
    EXPECT_EQ(outcome.Describe(), "x.txt: No such file or directory");
}

namespace {

// A text whose runs of spaces straddle the edges of the pieces it is read in,
// at every parity, with line feeds in between.
std::string TextAcrossPieces(const std::string& firstLine, std::size_t pieces) {
    std::string text = firstLine + "\r\n";
    for (std::size_t edge = 1; edge <= pieces; ++edge) {
        const std::size_t run = edge % 6 + 1;
        const std::size_t runStart = edge * kTextPiece - (edge % 4);
        while (text.size() < runStart)
            text += (text.size() % 53 == 0) ? '\n' : 'a' + static_cast<char>(text.size() % 26);
        text += std::string(run, ' ');
    }
    return text + "end\r\n";
}

std::string ExpectedPage(const std::string& templateText, std::string text) {
    text = text.substr(0, text.find('\0'));
    const HeadAndBody parts = SplitHeadAndBody(text);
    return FillTemplate(templateText, parts.head, MakeHtmlBody(parts.body), "", "", "<a href=></a>");
}

}  // namespace

TEST_F(Run, LargeTextsGiveTheSamePagesWhateverTheTemplate) {
    const std::string normal = "<h1>$head</h1>$body<p>end</p>";
    const std::string twice = "$body<hr>$body";
    const std::string none = "<p>$head only</p>";
    const std::string texts[] = {
        TextAcrossPieces("Title", 9),
        TextAcrossPieces(std::string(kTextPiece + 100, 'h'), 3),      // the first line spans pieces
        TextAcrossPieces("T", 5).insert(2 * kTextPiece + 7, 1, '\0'),  // the text ends in its third piece
        std::string(3 * kTextPiece, ' ') + "\n" + std::string(kTextPiece + 1, ' '),
        std::string(2 * kTextPiece + 5, 'x'),                          // no line feed at all
    };
    for (const std::string& templateText : {normal, twice, none}) {
        WriteBytes(program / "t.htm", templateText);
        for (std::size_t i = 0; i < sizeof texts / sizeof texts[0]; ++i) {
            job.inputFiles = {Input("big.txt", texts[i])};
            ASSERT_EQ(Start().kind, RunOutcome::Finished);
            ASSERT_EQ(ReadBytes(out / "p0.htm"), ExpectedPage(templateText, texts[i]))
                << "text " << i << ", template " << templateText;
        }
    }
}
