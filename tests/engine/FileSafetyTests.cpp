// Files that hold when runs share a folder and when a run is killed: real
// tessiva-batch processes side by side, killed mid-page.
#include <deque>
#include <set>
#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#include "SideFileName.h"
#include "TestFiles.h"

namespace {
// Starting, waiting for and killing a process, and whether a name in a folder is hidden.
#ifdef _WIN32
const std::string kTool = platform::ProgramFolder() + "tessiva-batch.exe", kSidePrefix = "~tessiva-";
const std::string kQuote = "\"";  // the runtime joins the arguments as they are
std::intptr_t Spawn(char* const* argv) { return _spawnv(_P_NOWAIT, kTool.c_str(), argv); }
int Reap(std::intptr_t process) { int status = -1; return _cwait(&status, process, 0), status; }  // closes it too
void End(std::intptr_t process) { TerminateProcess(reinterpret_cast<HANDLE>(process), 9); }
bool Hidden(const std::string& folder, const std::string& name) {
    return GetFileAttributesA((folder + kSep + name).c_str()) & FILE_ATTRIBUTE_HIDDEN;
}
void MakeNamedFolder(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }
#else
const std::string kTool = platform::ProgramFolder() + "tessiva-batch", kSidePrefix = ".tessiva-";
const std::string kQuote;
std::intptr_t Spawn(char* const* argv) {
    pid_t child = -1;
    return posix_spawn(&child, kTool.c_str(), nullptr, nullptr, argv, environ) == 0 ? child : -1;
}
int Reap(std::intptr_t process) {
    int status = 0;
    return waitpid(pid_t(process), &status, 0) < 0 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
void End(std::intptr_t process) { kill(pid_t(process), SIGKILL); }
bool Hidden(const std::string&, const std::string& name) { return name[0] == '.'; }
void MakeNamedFolder(const std::string& path) { mkdir(path.c_str(), 0777); }
#endif

// tessiva-batch running beside the test, killed if still running when the object goes.
class Tool {
public:
    explicit Tool(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), kTool);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(&(argument = kQuote + argument + kQuote)[0]);
        argv.push_back(nullptr);
        m_process = Spawn(argv.data());
    }
    ~Tool() { Kill(); }
    Tool(const Tool&) = delete;
    int Wait() {  // the exit status; -1 when it could not start
        if (m_process != -1)
            m_status = Reap(m_process), m_process = -1;
        return m_status;
    }
    void Kill() {  // as an end-task or kill -9 would: no chance to clean up
        if (m_process != -1)
            End(m_process);
        Wait();
    }

private:
    std::intptr_t m_process = -1;
    int m_status = -1;
};

Names Strays(const ScratchFolder& folder) {  // the side files
    Names names = folder.Names();
    names.erase(std::remove_if(names.begin(), names.end(), [](auto& n) { return n.find("tessiva") == n.npos; }), names.end());
    return names;
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
#ifdef _WIN32
    constexpr int kRuns = 4, kTexts = 250;  // slower pages under Wine: still interleaved throughout
#else
    constexpr int kRuns = 4, kTexts = 1000;
#endif
    std::vector<std::string> texts;
    for (int n = 0; n < kTexts; ++n) {
        texts.push_back(in / std::to_string(n));
        WriteBytes(texts.back(), "text " + std::to_string(n) + "\nbody\n");
    }
    std::deque<Tool> runs;
    for (int run = 0; run < kRuns; ++run)
        runs.emplace_back(Arguments("r" + std::to_string(run) + "-", texts));
    for (Tool& run : runs)
        EXPECT_EQ(run.Wait(), 0);
    // Declared once, by whichever run began the file; then every entry whole, each once.
    const std::string start = MakeIndexStart(out.Name()), index = ReadBytes(out / "index.htm");
    ASSERT_EQ(index.substr(0, start.size()), start);
    std::multiset<std::string> entries, expected;
    for (std::size_t from = start.size(), end; from < index.size(); from = end) {
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
    const Names liveSide = Strays(out);
    ASSERT_EQ(liveSide.size(), 1u);
    // Left by killed runs with this same process id (a container's process 1,
    // Wine's first process); beside them files of the user's that only look alike.
    for (const std::uint64_t random : {0ULL, 0x0123456789abcdefULL})
        WriteBytes(out / MakeSideFileName(kSidePrefix, 32, random), "left by a killed run");
    std::string forged = MakeSideFileName(kSidePrefix, 32, 7);
    forged[forged.size() - 5] ^= 1;  // the check's last digit
    const Names users = {"~tessiva-0000.tmp", "~tessiva-notes.tmp", forged, kSidePrefix + "mynotes.tmp"};
    for (const std::string& name : users)
        WriteBytes(out / name, "the user's " + name);
    WriteBytes(in / "a.txt", "Alpha\nbody\n");
    EXPECT_EQ(Tool(Arguments("p", {in / "a.txt"})).Wait(), 0);
    // Only the live run's side file is left, hidden, and it still becomes its page;
    // the user's files are as they were.
    Names kept = users;
    kept.push_back(liveSide[0]);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(Strays(out), kept);
    for (const std::string& name : users)
        EXPECT_EQ(ReadBytes(out / name), "the user's " + name);
    EXPECT_TRUE(Hidden(out.Path(), liveSide[0]));
    EXPECT_FALSE(live.Commit());
    EXPECT_EQ(ReadBytes(out / "live.htm"), "still being written");
    EXPECT_FALSE(Hidden(out.Path(), "live.htm"));
    for (const std::string& name : users)
        std::filesystem::remove(out / name);
    EXPECT_EQ(out.Names(), (Names{"index.htm", "live.htm", "p0.htm"}));
    // A side file that cannot be made at all is no name taken: the cause is told.
    const std::string missing = out / "missing" + platform::kPathSeparator;
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
    Tool killed(Arguments("big", {pipeName}));
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
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Tool killed(Arguments("big", {fifo}));
    int pipe = -1;
    ASSERT_TRUE(WaitFor([&] { return (pipe = open(fifo.c_str(), O_WRONLY | O_NONBLOCK)) >= 0; }));
    fcntl(pipe, F_SETFL, 0);
    ASSERT_EQ(write(pipe, text.data(), text.size()), static_cast<ssize_t>(text.size()));
#endif
    // Some of the page is on disk, the rest of the text still to come.
    ASSERT_TRUE(WaitFor([&] {
        const Names strays = Strays(out);
        std::error_code unknown;
        return strays.size() == 1 && std::filesystem::file_size(out / strays[0], unknown) > 0 && !unknown;
    }));
    killed.Kill();
#ifdef _WIN32
    CloseHandle(done.hEvent);
    CloseHandle(pipe);
#else
    close(pipe);
#endif
    ASSERT_EQ(Strays(out).size(), 1u);
    WriteBytes(in / "a.txt", "Alpha\nbody\n");
    EXPECT_EQ(Tool(Arguments("p", {in / "a.txt"})).Wait(), 0);
    EXPECT_EQ(out.Names(), (Names{"index.htm", "p0.htm"}));
}

TEST_F(FileSafety, NamesInAnyLanguageInAndOut) {
    const std::string texts = in / "Donn\xC3\xA9" "es \xE6\x97\xA5\xE6\x9C\xAC", site = out / "\xE5\x87\xBA\xE5\x8A\x9B";
    MakeNamedFolder(texts), MakeNamedFolder(site);
    const std::string cafe = texts + kSep + "caf\xC3\xA9.txt", diary = texts + kSep + "\xE6\x97\xA5\xE8\xA8\x98.txt";
    ASSERT_FALSE(platform::WriteFileReplacing(cafe, "Caf\xC3\xA9\nx") || platform::WriteFileReplacing(diary, "\xE6\x97\xA5\nbody"));
#ifdef _WIN32
    const std::vector<std::string> files{texts + kSep + "*.txt"};  // expanded by the tool, in the shell's order
#else
    const std::vector<std::string> files{cafe, diary};
#endif
    std::vector<std::string> arguments{"--output", site, "--name", "\xE9\xA0\x81", "--template-file", in / "t.htm", "--index"};
    arguments.insert(arguments.end(), files.begin(), files.end());
    EXPECT_EQ(Tool(arguments).Wait(), 0);
    EXPECT_EQ(ReadBytes(site + kSep + "\xE9\xA0\x81" "0.htm") + ReadBytes(site + kSep + "\xE9\xA0\x81" "1.htm") +
                  ReadBytes(site + kSep + "index.htm"),
              "<h1>Caf\xC3\xA9</h1>x<h1>\xE6\x97\xA5</h1>body" + MakeIndexStart("\xE5\x87\xBA\xE5\x8A\x9B") + "<a href=\"%E9%A0%81" "0.htm\">Caf\xC3\xA9"
              "</a><br><a href=\"%E9%A0%81" "1.htm\">\xE6\x97\xA5</a><br>");
}
