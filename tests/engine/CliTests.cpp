// tessiva-batch from the outside, as a real process: options, exit status, the
// report, the overwrite modes and the progress line.
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "TestFiles.h"

namespace {
struct Result { int status = -1; std::string out, err; };

// Holds a run at the named pipe "fifo" for 600 ms, long enough for the progress line
// to be due (a wait for a clock, not a race), then lets it read on.
void HoldAtFifo(const ScratchFolder& folder) {
    int fd = -1;  // opens once the run has opened the other end
    WaitFor([&] { return (fd = open((folder / "fifo").c_str(), O_WRONLY | O_NONBLOCK)) >= 0; });
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_TRUE(fd >= 0 && write(fd, "F\r\n", 3) == 3 && close(fd) == 0) << "the run did not read the fifo";
}

// Runs tessiva-batch in `folder`. Off a terminal `input` is standard input; on one, all
// three streams are a pseudo-terminal, whose text is err and whose first "[y/n]" gets it.
Result Batch(const ScratchFolder& folder, Names arguments, std::string input = "", bool onTerminal = false) {
    WriteBytes(folder / ".in", input);
    arguments.insert(arguments.begin(), TESSIVA_BATCH);
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);
    int terminal = -1;
    const pid_t child = onTerminal ? forkpty(&terminal, nullptr, nullptr, nullptr) : fork();
    if (child == 0) {
        const char* streams[] = {".in", ".out", ".err"};
        for (int fd = 0; fd < 3 && !onTerminal; ++fd)
            dup2(open((folder / streams[fd]).c_str(), fd ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY, 0644), fd);
        if (chdir(folder.Path().c_str()) == 0)
            execv(argv[0], argv.data());
        _exit(127);
    }
    if (std::find(arguments.begin(), arguments.end(), "fifo") != arguments.end())
        HoldAtFifo(folder);
    Result r;
    char buffer[512];
    for (ssize_t got; onTerminal && (got = read(terminal, buffer, sizeof buffer)) > 0;) {
        r.err.append(buffer, static_cast<std::size_t>(got));
        if (r.err.find("[y/n]") != std::string::npos && write(terminal, input.data(), input.size()) >= 0)
            input.clear();
    }
    int status = 0;
    waitpid(child, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (onTerminal)
        close(terminal);
    else
        r.out = ReadBytes(folder / ".out"), r.err = ReadBytes(folder / ".err");
    return r;
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFolder(work / "out");
        WriteBytes(work / "t.htm", "<title>$head</title>[$keyword|$description|$website]$body");
        WriteBytes(work / "a.txt", "Alpha\r\none  two\r\n");
        WriteBytes(work / "b.txt", "Beta");
    }
    ScratchFolder work;
};
}  // namespace

TEST_F(Cli, ConvertsTheFilesInTheOrderGiven) {
    const Result r = Batch(work, {"--output", "out", "--name", "p", "--template-file", "t.htm", "--keywords", "k1",
                                  "--description=d1", "--home-title", "Home", "--home-url", "index.htm", "--index",
                                  "b.txt", "a.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(work / "out/p0.htm") + ReadBytes(work / "out/p1.htm") + ReadBytes(work / "out/index.htm"),
              "<title></title>[k1|d1|<a href=index.htm>Home</a>]Beta<title>Alpha</title>[k1|d1|<a href=index.htm>Home</a>]"
              "one&nbsp;&nbsp;two\r\n<br>" + MakeIndexStart("Home") + "<a href=\"p0.htm\"></a><br><a href=\"p1.htm\">Alpha</a><br>");
    // The list of texts on standard input.
    EXPECT_EQ(Batch(work, {"--output=out", "--files-from", "-", "--template-file=t.htm"}, "b.txt\r\na.txt").status, 0);
    EXPECT_EQ(ReadBytes(work / "out/0.htm") + ReadBytes(work / "out/1.htm"), "<title></title>[||<a href=></a>]Beta"
              "<title>Alpha</title>[||<a href=></a>]one&nbsp;&nbsp;two\r\n<br>");
}

TEST_F(Cli, TypedWordsGoIntoALegacyPageInItsSet) {
    WriteBytes(work / "sjis.txt", "\x93\xFA\x96\x7B\n");
    const Result r = Batch(work, {"--output", "out", "--legacy-charset", " SJIS ", "--template-file", "t.htm",
                                  "--keywords", "\xE6\x97\x85\xE8\xA1\x8C", "--description", "Zur\xC3\xBC" "ck", "sjis.txt"});
    EXPECT_EQ(std::to_string(r.status) + ReadBytes(work / "out/0.htm"),
              "0<title>\x93\xFA\x96\x7B</title>[\x97\xB7\x8D\x73|Zur&#xFC;ck|<a href=></a>]");
}

TEST_F(Cli, OptionsExitStatusAndTheOneLineReport) {
    WriteBytes(work / "-dash.txt", "Dash\r\n"), WriteBytes(work / "--dash.txt", "");
    const std::string tf = "--template-file=t.htm", beside = platform::ProgramFolder();  // the same as the tool's
    const std::string missing = std::string(": ") + std::strerror(ENOENT) + "\n";
    const struct { const char* label; Names arguments; int status; Names pages; std::string report; } rows[] = {
        {"a signed start with a leading zero", {"--output=out", "--name=p", "--start", "+012", tf, "a.txt", "b.txt"}, 0,
         {"p12.htm", "p13.htm"}, "tessiva-batch: 2 pages written to out\n"},
        {"one page, templet1.htm by default", {"--output", "out", "a.txt"}, 0, {"0.htm"}, "1 page written to out\n"},
        {"a negative start, trailing separator", {"--output", "out/", "--start=-10", tf, "a.txt"}, 0, {"-10.htm"}, ""},
        {"the smallest start", {"--output", "out", "--start", "-2147483648", tf, "a.txt"}, 0, {"-2147483648.htm"}, ""},
        {"-- ends the options", {"--output", "out", tf, "--", "-dash.txt", "--dash.txt"}, 0, {"0.htm", "1.htm"}, ""},
        {"a lone dash is a file", {"--output", "out", tf, "-"}, 2, {}, "tessiva-batch: -" + missing},
        {"help", {"--help"}, 0, {}, "Usage: tessiva-batch --output DIR [options] FILE...\n"},
        {"version", {"--version"}, 0, {}, "tessiva-batch " TESSIVA_VERSION "\n"},
        {"a missing text", {"--output", "out", tf, "b.txt", "nil"}, 2, {"0.htm"}, "tessiva-batch: nil" + missing},
        {"a missing template beside the program", {"--output", "out", "--template", "t.htm", "a.txt"}, 2, {},
         "tessiva-batch: " + beside + "t.htm" + missing},
        {"nothing", {"--output="}, 64, {}, "tessiva-batch: --output DIR is required (see tessiva-batch --help)\n"},
        {"no files", {"--output", "out"}, 64, {}, "no text files given"},
        {"an empty file name", {"--output", "out", "a.txt", ""}, 64, {}, "a text file name cannot be empty"},
        {"an empty template path", {"--output", "out", "--template-file=", "a.txt"}, 64, {}, "needs a path"},
        {"an empty template name", {"--output", "out", "--template=", "a.txt"}, 64, {}, "needs a name"},
        {"a missing list", {"--output", "out", "--files-from", "nil", "a.txt"}, 64, {}, "the list of files nil"},
        {"an unknown option", {"--output", "out", "--out=x", "a.txt"}, 64, {}, "unknown option --out ("},
        {"start x5", {"--output", "out", "--start", "x5", "a.txt"}, 64, {}, "not \"x5\""},
        {"start 12x", {"--output", "out", "--start", "12x", "a.txt"}, 64, {}, "--start needs"},
        {"start -", {"--output", "out", "--start", "-", "a.txt"}, 64, {}, "--start needs"},
        {"start empty", {"--output", "out", "--start=", "a.txt"}, 64, {}, "--start needs"},
        {"start past 32 bits", {"--output", "out", "--start", "2147483648", "a.txt"}, 64, {}, "--start needs"},
        {"start below 32 bits", {"--output", "out", "--start", "-2147483649", "a.txt"}, 64, {}, "--start needs"},
        {"start last", {"--output", "out", "a.txt", "--start"}, 64, {}, "--start needs a value"},
        {"unknown short option", {"--output", "out", "-x", "a.txt"}, 64, {}, "unknown option -x"},
        {"overwrite always", {"--output", "out", "--overwrite", "always", "a.txt"}, 64, {}, "not \"always\""},
        {"both templates", {"--output", "out", "--template", "t", tf, "a.txt"}, 64, {}, "cannot be used together"},
        {"index with a value", {"--output", "out", "--index=yes", "a.txt"}, 64, {}, "--index takes no value"},
        {"a device's name", {"--output", "out", "--name", "COM", "--start", "1", tf, "a.txt"}, 64, {},
         "tessiva-batch: out/COM1.htm: COM1 is a name Windows keeps for a device"},
        {"a device as a folder", {"--output", "out", "--name", "NUL/page", tf, "a.txt"}, 64, {}, "NUL is a name"},
        {"a device's name as the start of one", {"--output", "out", "--name", "CON", tf, "a.txt"}, 0, {"CON0.htm"}, ""},
        {"a name too long", {"--output", "out", "--name", std::string(300, 'n'), tf, "a.txt"}, 64, {}, "too long"},
        {"a set not ASCII's", {"--output", "out", "--legacy-charset", "UTF-16", "a.txt"}, 64, {},
         "no character set is known as \"UTF-16\"; known are windows-1252, windows-1250,"},
    };
    for (const auto& row : rows) {
        RemoveAll(work / "out"), MakeFolder(work / "out");
        const Result r = Batch(work, row.arguments);
        EXPECT_EQ(r.status, row.status) << row.label << ": " << r.err;
        EXPECT_EQ(NamesIn(work / "out"), row.pages) << row.label;
        EXPECT_NE((r.out + r.err).find(row.report), std::string::npos) << row.label << ": " << r.out << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << row.label << ": one line or none, not " << r.err;
    }
}

TEST_F(Cli, OverwriteModes) {
    WriteBytes(work / "out/p1.htm", "old");
    Names run = {"--output", "out", "--name", "p", "--template-file", "t.htm", "a.txt", "b.txt", "a.txt"};
    auto asked = [](const char* page) { return "the file out/" + std::string(page) + ".htm has already existed!\n"
                                               "Are you sure to overwrite it [y/n] "; };
    auto stopped = [](const char* page, const char* n) {
        return "tessiva-batch: stopped: out/" + std::string(page) + ".htm already exists and was kept (" + n + ")\n";
    };
    // Off a terminal the default is no: stop at the first existing page.
    const Result r = Batch(work, run);
    EXPECT_EQ(std::to_string(r.status) + r.err, "1" + stopped("p1", "1 page written"));
    // ask: the question on standard error; other answers repeat it, the input's end is no.
    run.insert(run.begin(), "--overwrite=ask");
    EXPECT_EQ(Batch(work, run, "maybe\n Yes \r\nNo\n").err,
              asked("p0") + asked("p0") + asked("p1") + stopped("p1", "1 page written"));
    EXPECT_EQ(Batch(work, run).err, asked("p0") + "\n" + stopped("p0", "0 pages written"));
    EXPECT_EQ(ReadBytes(work / "out/p1.htm"), "old");
}

TEST_F(Cli, OnATerminalALongRunShowsWhereItIsAndTheDefaultIsToAsk) {
    // Held at a named pipe, a run shows its place on one line, cut to the end of a
    // long name, and takes it off before a question; never off a terminal.
    ASSERT_EQ(mkfifo((work / "fifo").c_str(), 0600), 0);
    const std::string longName = std::string(70, 'n') + "-end.txt";
    WriteBytes(work / longName, "L");
    WriteBytes(work / "out/q2.htm", "old");
    Names run = {"--output", "out", "--name", "q", "--template-file", "t.htm", "a.txt", "fifo", longName};
    Result r = Batch(work, run, "y\n", true);
    const std::string line = "converting 3/3: ..." + longName.substr(longName.size() - 60);
    // (A start slowed down by a busy machine may have shown 2/3 before.)
    EXPECT_EQ(r.err.substr(r.err.rfind("\rconverting")), "\r" + line + "\r" + std::string(line.size(), ' ') +
              "\rthe file out/q2.htm has already existed!\r\nAre you sure to overwrite it [y/n] y\r\n"
              "tessiva-batch: 3 pages written to out\r\n");
    run.push_back("--overwrite=yes");
    EXPECT_EQ(Batch(work, run).err, "tessiva-batch: 3 pages written to out\n");
}
