// tessiva-batch from the outside: flags, exit status, messages and the three
// overwrite modes, run as a real process.
#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TemplateFilling.h"
#include "TestFiles.h"
#include "TextToHtml.h"

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

// Runs tessiva-batch with the given arguments and standard input (a file, never a
// terminal), in `folder`.
Result Batch(const ScratchFolder& folder, std::vector<std::string> arguments, const std::string& input = "") {
    WriteBytes(folder / ".stdin", input);
    arguments.insert(arguments.begin(), TESSIVA_BATCH);
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int in = open((folder / ".stdin").c_str(), O_RDONLY);
        const int out = open((folder / ".stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open((folder / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (chdir(folder.Path().c_str()) != 0)
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    Result result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadBytes(folder / ".stdout");
    result.err = ReadBytes(folder / ".stderr");
    return result;
}

// Runs tessiva-batch on a terminal of its own: answers the first question it
// asks with `answer`, and returns everything it showed.
Result BatchOnTerminal(const ScratchFolder& folder, std::vector<std::string> arguments, const std::string& answer) {
    arguments.insert(arguments.begin(), TESSIVA_BATCH);
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        if (chdir(folder.Path().c_str()) != 0)
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    Result result;
    bool answered = false;
    char buffer[512];
    for (ssize_t got; (got = read(terminal, buffer, sizeof buffer)) > 0;) {
        result.err.append(buffer, static_cast<std::size_t>(got));
        if (!answered && result.err.find("[y/n]") != std::string::npos) {
            answered = true;
            if (write(terminal, answer.data(), answer.size()) < 0)
                break;
        }
    }
    close(terminal);
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// The single line a run leaves on standard error.
bool IsOneLine(const std::string& text) {
    return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFolder(work / "out");
        WriteBytes(work / "t.htm", "<title>$head</title>[$keyword|$description|$website]$body");
        WriteBytes(work / "a.txt", "Alpha\r\none  two\r\n");
        WriteBytes(work / "b.txt", "Beta");
    }
    std::vector<std::string> Pages() { return NamesIn(work / "out"); }
    ScratchFolder work;
};

}  // namespace

TEST_F(Cli, ConvertsTheFilesInTheOrderGiven) {
    const Result r = Batch(work, {"--output", "out", "--name", "p", "--template-file", "t.htm", "--keywords", "k1",
                                  "--description=d1", "--home-title", "Home", "--home-url", "index.htm", "--index",
                                  "b.txt", "a.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(IsOneLine(r.err)) << r.err;
    EXPECT_NE(r.err.find("2 pages"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(work / "out/p0.htm"), "<title></title>[k1|d1|<a href=index.htm>Home</a>]Beta");
    EXPECT_EQ(ReadBytes(work / "out/p1.htm"),
              "<title>Alpha</title>[k1|d1|<a href=index.htm>Home</a>]one&nbsp;&nbsp;two\r\n<br>");
    EXPECT_EQ(ReadBytes(work / "out/index.htm"), "<a href=\"p0.htm\"></a><br><a href=\"p1.htm\">Alpha</a><br>");
}

TEST_F(Cli, StartNumberAndDefaults) {
    Result r = Batch(work, {"--output", "out/", "--start", "-1", "--name", "p", "--template-file", "t.htm",
                            "a.txt", "b.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Pages(), (std::vector<std::string>{"p-1.htm", "p0.htm"}));

    // No name, start 0, no index unless asked for.
    r = Batch(work, {"--output", "out", "--template-file", "t.htm", "a.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Exists(work / "out/0.htm"));
    EXPECT_FALSE(Exists(work / "out/index.htm"));
}

TEST_F(Cli, TemplatesByNameComeFromTheProgramFolder) {
    const std::string programFolder = std::string(TESSIVA_BATCH).substr(0, std::strlen(TESSIVA_BATCH) - 13);
    for (const std::string name : {"", "templet1.htm", "templet2.htm", "templet3.htm"}) {
        std::vector<std::string> arguments = {"--output", "out", "--overwrite", "yes", "a.txt"};
        if (!name.empty())
            arguments.insert(arguments.begin(), {"--template", name});
        const Result r = Batch(work, arguments);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string templateText = ReadBytes(programFolder + (name.empty() ? "templet1.htm" : name));
        EXPECT_EQ(ReadBytes(work / "out/0.htm"),
                  FillTemplate(templateText, "Alpha", MakeHtmlBody("one  two\r\n"), "", "", "<a href=></a>"))
            << name;
    }
    const Result r = Batch(work, {"--output", "out", "--template", "t.htm", "a.txt"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(programFolder + "t.htm: " + std::strerror(ENOENT)), std::string::npos) << r.err;
}

TEST_F(Cli, OverwriteModes) {
    WriteBytes(work / "out/p1.htm", "old");
    const std::vector<std::string> run = {"--output", "out", "--name", "p", "--template-file", "t.htm", "--index",
                                          "a.txt", "b.txt", "a.txt"};
    auto with = [&](std::vector<std::string> extra) {
        extra.insert(extra.end(), run.begin(), run.end());
        return extra;
    };

    // Without a terminal the default is no: stop at the first existing page.
    Result r = Batch(work, run);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(IsOneLine(r.err)) << r.err;
    EXPECT_NE(r.err.find("p1.htm"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(work / "out/p1.htm"), "old");
    EXPECT_TRUE(Exists(work / "out/p0.htm"));
    EXPECT_FALSE(Exists(work / "out/p2.htm"));
    EXPECT_EQ(ReadBytes(work / "out/index.htm"), "<a href=\"p0.htm\">Alpha</a><br>");

    r = Batch(work, with({"--overwrite", "no"}));
    EXPECT_EQ(r.status, 1);

    // ask: the wizard's question, answered on standard input; other answers repeat it.
    r = Batch(work, with({"--overwrite", "ask"}), "maybe\ny\nn\n");
    EXPECT_EQ(r.status, 1);
    const std::string question = "the file out/p0.htm has already existed!\nAre you sure to overwrite it";
    EXPECT_NE(r.err.find(question), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(question, r.err.find(question) + 1), std::string::npos) << "asked again after \"maybe\"";
    EXPECT_NE(r.err.find("the file out/p1.htm has already existed!"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(work / "out/p1.htm"), "old");

    // The end of the input answers no.
    r = Batch(work, with({"--overwrite=ask"}), "");
    EXPECT_EQ(r.status, 1);

    r = Batch(work, with({"--overwrite", "yes"}));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(work / "out/p1.htm"), "<title></title>[||<a href=></a>]Beta");
    EXPECT_TRUE(Exists(work / "out/p2.htm"));
}

TEST_F(Cli, AFileErrorNamesTheFileAndTheReason) {
    const Result r = Batch(work, {"--output", "out", "--template-file", "t.htm", "a.txt", "missing.txt"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, std::string("tessiva-batch: missing.txt: ") + std::strerror(ENOENT) + "\n");
    EXPECT_TRUE(Exists(work / "out/0.htm"));
}

TEST_F(Cli, BadArgumentsExitWith64BeforeAnythingIsWritten) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"a.txt"},
        {"--output", "out"},
        {"--output", "", "a.txt"},
        {"--output"},
        {"--output", "out", "--start", "abc", "a.txt"},
        {"--output", "out", "--start", "12x", "a.txt"},
        {"--output", "out", "--start", "2147483648", "a.txt"},
        {"--output", "out", "--start", "", "a.txt"},
        {"--output", "out", "a.txt", "--start"},
        {"--output", "out", "--frobnicate", "a.txt"},
        {"--output", "out", "-x", "a.txt"},
        {"--output", "out", "--overwrite", "always", "a.txt"},
        {"--output", "out", "--template", "t.htm", "--template-file", "t.htm", "a.txt"},
        {"--output", "out", "--index=yes", "a.txt"},
    };
    for (const auto& arguments : cases) {
        std::string label;
        for (const std::string& a : arguments)
            label += "[" + a + "]";
        const Result r = Batch(work, arguments);
        EXPECT_EQ(r.status, 64) << label;
        EXPECT_TRUE(IsOneLine(r.err)) << label << ": " << r.err;
        EXPECT_EQ(r.err.rfind("tessiva-batch: ", 0), 0u) << label;
        EXPECT_TRUE(Pages().empty()) << label;
    }
}

TEST_F(Cli, OptionsEndAtDoubleDashAndValuesMayFollowAnEqualsSign) {
    WriteBytes(work / "-dash.txt", "Dash\r\n");
    const Result r = Batch(work, {"--output=out", "--name=p", "--start=1", "--template-file=t.htm", "--", "-dash.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(ReadBytes(work / "out/p1.htm").find("<title>Dash</title>"), std::string::npos);
}

TEST_F(Cli, HelpAndVersion) {
    Result r = Batch(work, {"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: tessiva-batch --output DIR", 0), 0u) << r.out;
    for (const char* flag : {"--name", "--start", "--template", "--template-file", "--keywords", "--description",
                             "--index", "--home-title", "--home-url", "--overwrite"})
        EXPECT_NE(r.out.find(flag), std::string::npos) << flag;
    r = Batch(work, {"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string("tessiva-batch ") + TESSIVA_VERSION + "\n");
}

TEST_F(Cli, OnATerminalTheDefaultIsToAsk) {
    WriteBytes(work / "out/0.htm", "old");
    Result r = BatchOnTerminal(work, {"--output", "out", "--template-file", "t.htm", "a.txt"}, "n\n");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("the file out/0.htm has already existed!"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(work / "out/0.htm"), "old");

    r = BatchOnTerminal(work, {"--output", "out", "--template-file", "t.htm", "a.txt"}, "y\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(ReadBytes(work / "out/0.htm"), "old");

    // An explicit mode is not overruled by the terminal.
    WriteBytes(work / "out/0.htm", "old");
    r = BatchOnTerminal(work, {"--overwrite", "no", "--output", "out", "--template-file", "t.htm", "a.txt"}, "y\n");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.err.find("[y/n]"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(work / "out/0.htm"), "old");
}
