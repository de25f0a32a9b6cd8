// Files that hold when runs share a folder, when a run is killed, and whatever
// the arguments: real tessiva-batch processes side by side, killed mid-page.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <filesystem>
#include <iterator>
#include <set>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "PageMaker.h"
#include "RunConversion.h"
#include "TemplateFilling.h"
#include "TestFiles.h"
#include "TextToHtml.h"

using namespace std::string_literals;

namespace {

const std::string kSep(1, platform::kPathSeparator);

#ifdef _WIN32
const std::string kTool = platform::ProgramFolder() + "tessiva-batch.exe";
const char* const kLeftoverOfProcess32 = "~tessiva-32-0.tmp";
#else
const std::string kTool = platform::ProgramFolder() + "tessiva-batch";
const char* const kLeftoverOfProcess32 = ".tessiva-32-0.tmp";
#endif

// tessiva-batch started in `folder` and waited for; -1 when it could not start.
class Tool {
public:
    Tool(const std::vector<std::string>& arguments, const std::string& folder) {
#ifdef _WIN32
        std::string line = "\"" + kTool + "\"";
        for (const std::string& argument : arguments)
            line += " \"" + argument + "\"";
        STARTUPINFOA startup{sizeof startup};
        PROCESS_INFORMATION started{};
        if (CreateProcessA(kTool.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                           &startup, &started))
            CloseHandle(started.hThread), m_process = started.hProcess;
#else
        m_process = ::fork();
        if (m_process == 0) {
            std::vector<char*> argv{const_cast<char*>(kTool.c_str())};
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            if (::chdir(folder.c_str()) == 0)
                ::execv(kTool.c_str(), argv.data());
            ::_exit(127);
        }
#endif
    }
    ~Tool() { Kill(); }  // a test that stopped early leaves no process behind
    Tool(const Tool&) = delete;

    int Wait() {
#ifdef _WIN32
        DWORD code = 0;
        if (m_process && WaitForSingleObject(m_process, INFINITE) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(m_process, &code))
            m_status = static_cast<int>(code);
        if (m_process)
            CloseHandle(m_process), m_process = nullptr;
#else
        int status = 0;
        if (m_process > 0 && ::waitpid(m_process, &status, 0) == m_process)
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        m_process = -1;
#endif
        return m_status;
    }
    void Kill() {  // as an end-task or kill -9 would: no chance to clean up
#ifdef _WIN32
        if (m_process)
            TerminateProcess(m_process, 9);
#else
        if (m_process > 0)
            ::kill(m_process, SIGKILL);
#endif
        Wait();
    }

private:
#ifdef _WIN32
    HANDLE m_process = nullptr;
#else
    pid_t m_process = -1;
#endif
    int m_status = -1;
};

// Polls with a bound: true once `holds` does.
template <class Condition>
bool WaitFor(Condition holds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!holds() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return holds();
}

std::vector<std::string> Strays(const ScratchFolder& folder) {
    std::vector<std::string> strays;
    for (const std::string& name : folder.Names())
        if (name.find("tessiva") != std::string::npos)
            strays.push_back(name);
    return strays;
}

class FileSafety : public ::testing::Test {
protected:
    void SetUp() override { WriteBytes(in / "t.htm", "<h1>$head</h1>$body"); }
    std::vector<std::string> Arguments(const std::string& name, std::vector<std::string> texts) {
        texts.insert(texts.begin(), {"--output", out.Path(), "--name", name, "--template-file", in / "t.htm",
                                     "--index", "--"});
        return texts;
    }
    ScratchFolder in, out;
};

}  // namespace

TEST_F(FileSafety, FourRunsAppendingToOneIndexAtOnceKeepEveryEntryWhole) {
    constexpr int kRuns = 4, kTexts = 1000;
    std::vector<std::string> texts;
    for (int n = 0; n < kTexts; ++n) {
        texts.push_back(std::to_string(n));
        WriteBytes(in / texts.back(), "text " + std::to_string(n) + "\nbody\n");
    }
    std::deque<Tool> runs;
    for (int run = 0; run < kRuns; ++run)
        runs.emplace_back(Arguments("r" + std::to_string(run) + "-", texts), in.Path());
    for (Tool& run : runs)
        EXPECT_EQ(run.Wait(), 0);
    // Every entry whole, each once: "<a href="rR-N.htm">text N</a><br>".
    std::multiset<std::string> entries, expected;
    // Declared once, by whichever run began the file.
    const std::string start = "<meta charset=\"utf-8\">\n", whole = ReadBytes(out / "index.htm");
    ASSERT_EQ(whole.substr(0, start.size()), start);
    const std::string index = whole.substr(start.size());
    for (std::size_t from = 0, end; from < index.size(); from = end) {
        end = std::min(index.find("<br>", from), index.size() - 4) + 4;
        entries.insert(index.substr(from, end - from));
    }
    for (int run = 0; run < kRuns; ++run)
        for (int n = 0; n < kTexts; ++n)
            expected.insert("<a href=\"r" + std::to_string(run) + "-" + std::to_string(n) + ".htm\">text " +
                            std::to_string(n) + "</a><br>");
    std::vector<std::string> wrong;
    std::set_symmetric_difference(entries.begin(), entries.end(), expected.begin(), expected.end(),
                                  std::back_inserter(wrong));
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " torn, lost or repeated, such as " << wrong.front();
    EXPECT_EQ(out.Names().size(), std::size_t(kRuns * kTexts + 1));
}

TEST_F(FileSafety, WhatDeadRunsLeftGoesAndWhatALiveOneWritesStays) {
    platform::ReplacingFile live;
    ASSERT_FALSE(live.Open(out / "live.htm"));
    live.Put("still being written", 19);
    const std::vector<std::string> liveSide = Strays(out);
    ASSERT_EQ(liveSide.size(), 1u);
    // Named as runs with this same process id (a container's process 1, Wine's
    // first process) would leave them, under the old scheme and the new.
    for (const std::string& name : {std::string(kLeftoverOfProcess32),
                                    std::string(kLeftoverOfProcess32).replace(12, 1, "0123456789abcdef")})
        WriteBytes(out / name, "left by a killed run");
    WriteBytes(in / "a.txt", "Alpha\nbody\n");
    EXPECT_EQ(Tool(Arguments("p", {"a.txt"}), in.Path()).Wait(), 0);
    // Only the live run's side file is left, hidden, and it still becomes its page.
    EXPECT_EQ(Strays(out), liveSide);
#ifdef _WIN32
    EXPECT_TRUE(GetFileAttributesA((out / liveSide[0]).c_str()) & FILE_ATTRIBUTE_HIDDEN);
#else
    EXPECT_EQ(liveSide[0][0], '.');
#endif
    EXPECT_FALSE(live.Commit());
    EXPECT_EQ(ReadBytes(out / "live.htm"), "still being written");
#ifdef _WIN32
    EXPECT_FALSE(GetFileAttributesA((out / "live.htm").c_str()) & FILE_ATTRIBUTE_HIDDEN);
#endif
    EXPECT_EQ(out.Names(), (std::vector<std::string>{"index.htm", "live.htm", "p0.htm"}));
    // A side file that cannot be made at all is no name taken: the cause is told.
    const std::string missing = out / "missing" + kSep;
    const platform::FileResult nowhere = platform::ReplacingFile().Open(missing + "p.htm"),
                               index = platform::AppendToFile(missing + "index.htm", "");
    ASSERT_TRUE(nowhere && index);
    EXPECT_EQ(nowhere->reason, index->reason);  // the system's words for a missing folder
}

// The text comes through a pipe the test holds open, so the run is surely in the
// middle of its page, blocked for more, when it is killed.
TEST_F(FileSafety, ARunKilledMidPageLeavesNothingTheNextRunKeeps) {
    const std::string text = "Big\n" + std::string(std::size_t(4) << 20, 'x');
#ifdef _WIN32
    const std::string pipeName = "\\\\.\\pipe\\tessiva-test-" + std::to_string(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND | FILE_FLAG_OVERLAPPED,
                                         PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1 << 16, 1 << 16, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    Tool killed(Arguments("big", {pipeName}), in.Path());
    OVERLAPPED done{};
    done.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD moved = 0;
    if (!ConnectNamedPipe(pipe, &done) && GetLastError() == ERROR_IO_PENDING)
        ASSERT_EQ(WaitForSingleObject(done.hEvent, 30000), WAIT_OBJECT_0);
    ResetEvent(done.hEvent);
    if (!WriteFile(pipe, text.data(), static_cast<DWORD>(text.size()), nullptr, &done))
        ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_IO_PENDING));
    ASSERT_TRUE(GetOverlappedResult(pipe, &done, &moved, TRUE));
#else
    const std::string fifo = in / "big.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Tool killed(Arguments("big", {"big.txt"}), in.Path());
    int pipe = -1;
    ASSERT_TRUE(WaitFor([&] { return (pipe = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK)) >= 0; }));
    ::fcntl(pipe, F_SETFL, 0);
    ASSERT_EQ(::write(pipe, text.data(), text.size()), static_cast<ssize_t>(text.size()));
#endif
    // Some of the page is on disk, the rest of the text still to come.
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<std::string> strays = Strays(out);
        std::error_code unknown;
        return strays.size() == 1 && std::filesystem::file_size(out / strays[0], unknown) > 0 && !unknown;
    }));
    killed.Kill();
#ifdef _WIN32
    CloseHandle(done.hEvent);
    CloseHandle(pipe);
#else
    ::close(pipe);
#endif
    ASSERT_EQ(Strays(out).size(), 1u);
    WriteBytes(in / "a.txt", "Alpha\nbody\n");
    EXPECT_EQ(Tool(Arguments("p", {"a.txt"}), in.Path()).Wait(), 0);
    EXPECT_EQ(out.Names(), (std::vector<std::string>{"index.htm", "p0.htm"}));
}

// Refused as usage errors before anything is written.
TEST_F(FileSafety, AnEmptyTemplateNameOrFileArgumentWritesNothing) {
    WriteBytes(in / "a.txt", "Alpha\n");
    const struct {
        const char* label;
        std::vector<std::string> arguments;
    } kCases[] = {
        {"empty template name", {"--output", out.Path(), "--template", "", "a.txt"}},
        {"empty file after one", {"--output", out.Path(), "--template-file", in / "t.htm", "a.txt", ""}},
        {"empty file alone", {"--output", out.Path(), "--template-file", in / "t.htm", "--index", "--", ""}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Tool(c.arguments, in.Path()).Wait(), 64) << c.label;
        EXPECT_TRUE(out.Names().empty()) << c.label;
    }
}

// Long texts, each byte's place checked against the page made in memory, with
// the body used twice (the text is read again for the second).
TEST_F(FileSafety, TextsBeyondAFewPiecesMakeTheSamePageAsInMemory) {
    WriteBytes(in / "t.htm", "<title>$head</title>$body<hr>$body");
    const std::string longLine(kLongLine + kTextPiece + 3, 'h');
    const struct {
        const char* label;
        std::string text;
    } kCases[] = {
        {"long first line, then a body", longLine + "\r\nbody  two\n" + std::string(kTextPiece, ' ')},
        {"no line feed at all", longLine + "  x"},
        {"ends at a NUL before any line feed", longLine + "x\0\nafter"s},
        {"usual head, long body", "Head\n" + longLine + "\n  y"},
    };
    for (const auto& c : kCases) {
        WriteBytes(in / "a.txt", c.text);
        ConversionJob job;
        job.templateName = in / "t.htm";
        job.outputPath = out.Path();
        job.inputFiles = {in / "a.txt"};
        ASSERT_EQ(RunConversion(job, "", [](const std::string&) { return true; }).kind, RunOutcome::Finished)
            << c.label;
        const std::string text = c.text.substr(0, c.text.find('\0'));
        const HeadAndBody parts = SplitHeadAndBody(text);
        EXPECT_TRUE(ReadBytes(out / "0.htm") == BuildPage("<title>$head</title>$body<hr>$body", parts.head,
                                                          parts.body, "", "", "<a href=></a>"))
            << c.label;
    }
}
