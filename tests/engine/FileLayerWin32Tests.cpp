// The Win32 file layer under a real (emulated) Windows: files held open without
// sharing, and the system's own message texts.
#include <gtest/gtest.h>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "IndexFile.h"
#include "RunConversion.h"
#include "TestFiles.h"

namespace {

std::string SystemText(DWORD error) {
    char buffer[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                  0, buffer, sizeof buffer, nullptr);
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' '))
        --length;
    return std::string(buffer, length);
}

// Holds a file open with no sharing at all, as another program might.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : m_handle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr)) {
        EXPECT_NE(m_handle, INVALID_HANDLE_VALUE) << path;
    }
    ~HeldOpen() { CloseHandle(m_handle); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;

private:
    HANDLE m_handle;
};

class Win32Files : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(program / "t.htm", "<h1>$head</h1>$body");
        job.templateName = "t.htm";
        job.outputPath = out.Path();
        job.outputName = "p";
        WriteBytes(in / "a.txt", "Alpha\r\ntext\r\n");
        job.inputFiles = {in / "a.txt"};
    }
    RunOutcome Start() {
        return RunConversion(job, program.WithSeparator(), [](const std::string&) { return true; });
    }
    ScratchFolder program, in, out;
    ConversionJob job;
};

}  // namespace

TEST_F(Win32Files, ATextFileHeldOpenGivesTheSystemsSharingMessage) {
    HeldOpen held(in / "a.txt");
    const RunOutcome outcome = Start();
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, in / "a.txt");
    EXPECT_EQ(outcome.reason, SystemText(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(out.Names().empty());
}

TEST_F(Win32Files, ATemplateHeldOpenStopsTheRunBeforeAnyPage) {
    HeldOpen held(program / "t.htm");
    const RunOutcome outcome = Start();
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, program / "t.htm");
    EXPECT_EQ(outcome.reason, SystemText(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(out.Names().empty());
}

TEST_F(Win32Files, APageHeldOpenIsNeitherReplacedNorDamaged) {
    WriteBytes(out / "p0.htm", "the old page");
    RunOutcome outcome;
    {
        HeldOpen held(out / "p0.htm");
        outcome = Start();
    }
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, out / "p0.htm");
    EXPECT_FALSE(outcome.reason.empty());
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "the old page");
    EXPECT_EQ(out.Names(), std::vector<std::string>{"p0.htm"});
}

TEST_F(Win32Files, AnIndexHeldOpenIsLeftAsItWasAfterThePageIsWritten) {
    job.createIndex = true;
    WriteBytes(out / "index.htm", "before");
    RunOutcome outcome;
    {
        HeldOpen held(out / "index.htm");
        outcome = Start();
    }
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, out / "index.htm");
    EXPECT_EQ(outcome.reason, SystemText(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(outcome.pagesWritten, 1u);
    EXPECT_EQ(ReadBytes(out / "index.htm"), "before");
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "<h1>Alpha</h1>text\r\n<br>");
}

TEST_F(Win32Files, AMissingOutputFolderFailsAtTheFirstPageWithThePathMessage) {
    job.outputPath = out / "missing" + "\\";
    WriteBytes(in / "b.txt", "Beta");
    job.inputFiles = {in / "a.txt", in / "b.txt"};
    HeldOpen second(in / "b.txt");  // never reached: the run stops at the first page
    const RunOutcome outcome = Start();
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, out / "missing" + "\\p0.htm");
    EXPECT_EQ(outcome.reason, SystemText(ERROR_PATH_NOT_FOUND));
}

TEST_F(Win32Files, ReplacingAPageThatExistsWorks) {
    WriteBytes(out / "p0.htm", "old");
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "<h1>Alpha</h1>text\r\n<br>");
    EXPECT_EQ(out.Names(), std::vector<std::string>{"p0.htm"});
}

TEST(Win32FileExists, FilesFoldersAndNothingKeepingNothingOpen) {
    ScratchFolder folder;
    WriteBytes(folder / "f.htm", "x");
    EXPECT_TRUE(FileExists(folder / "f.htm"));
    EXPECT_TRUE(FileExists(folder.Path()));
    EXPECT_FALSE(FileExists(folder / "g.htm"));
    // Still openable without sharing: the test left no handle behind.
    HeldOpen held(folder / "f.htm");
    EXPECT_EQ(platform::kPathSeparator, '\\');
}

TEST(Win32ProgramFolder, EndsInABackslashAndHoldsThisProgram) {
    const std::string folder = platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(FileExists(folder + "engine_tests.exe"));
}
