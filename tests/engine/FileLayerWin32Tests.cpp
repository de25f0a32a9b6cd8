// The Win32 file layer under Wine: files held open by another program, the
// system's own wording, and a text that arrives in pieces.
#include <gtest/gtest.h>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "PageMaker.h"
#include "RunConversion.h"
#include "TestFiles.h"
#include "TextToHtml.h"

namespace {

std::string SystemText(DWORD error) {
    char buffer[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  buffer, sizeof buffer, nullptr);
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' '))
        --length;
    return std::string(buffer, length);
}

class Win32Files : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(program / "t.htm", "<h1>$head</h1>$body");
        WriteBytes(in / "a.txt", "Alpha\r\ntext\r\n");
        job = ConversionJob{{in / "a.txt"}, "t.htm", "", "", out.Path(), "p", 0, true};
    }
    RunOutcome Start() { return RunConversion(job, program.WithSeparator(), [](const std::string&) { return true; }); }
    ScratchFolder program, in, out;
    ConversionJob job;
};

}  // namespace

TEST_F(Win32Files, AFileHeldOpenByAnotherProgramStopsTheRunAndStaysAsItWas) {
    const struct { const char* label; std::string held; std::size_t pagesWritten; const char* page; } rows[] = {
        {"the template", program / "t.htm", 0, "old"},
        {"the text", in / "a.txt", 0, "old"},
        {"the page", out / "p0.htm", 0, "old"},
        {"the index, after its page", out / "index.htm", 1, "<h1>Alpha</h1>text\r\n<br>"},
    };
    for (const auto& row : rows) {
        WriteBytes(out / "p0.htm", "old");
        WriteBytes(out / "index.htm", "before");
        const HANDLE held = CreateFileA(row.held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE) << row.label;
        const RunOutcome outcome = Start();
        CloseHandle(held);
        EXPECT_EQ(outcome.kind, RunOutcome::FileError) << row.label;
        EXPECT_EQ(outcome.file, row.held) << row.label;
        EXPECT_EQ(outcome.pagesWritten, row.pagesWritten) << row.label;
        if (row.held != out / "p0.htm")
            EXPECT_EQ(outcome.reason, SystemText(ERROR_SHARING_VIOLATION)) << row.label;
        EXPECT_EQ(ReadBytes(out / "p0.htm"), row.page) << row.label;
        EXPECT_EQ(ReadBytes(out / "index.htm"), "before") << row.label;
        EXPECT_EQ(out.Names(), (std::vector<std::string>{"index.htm", "p0.htm"})) << row.label;
    }
    EXPECT_TRUE(FileExists(platform::ProgramFolder() + "engine_tests.exe"));
}

TEST_F(Win32Files, ATextThatArrivesInPiecesIsReadWhole) {
    // A pipe hands a reader what has arrived so far: the first line alone, then the
    // rest in pieces no bigger than its buffer, up to a NUL that ends one piece of
    // the engine's reading exactly.
    struct Writer {
        HANDLE pipe;
        std::string first, rest;
    } writer{CreateNamedPipeA(("\\\\.\\pipe\\tessiva-test-" + std::to_string(GetCurrentProcessId())).c_str(),
                              PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1 << 16, 1 << 16, 0, nullptr),
             "Piped\r\n", ""};
    ASSERT_NE(writer.pipe, INVALID_HANDLE_VALUE);
    while (writer.rest.size() < kTextPiece - writer.first.size() - 1)
        writer.rest += "line " + std::to_string(writer.rest.size()) + "  x\r\n";
    writer.rest.resize(kTextPiece - writer.first.size() - 1);
    writer.rest += '\0';
    const HANDLE thread = CreateThread(nullptr, 0, [](void* context) -> DWORD {
        Writer& w = *static_cast<Writer*>(context);
        DWORD written = 0;
        ConnectNamedPipe(w.pipe, nullptr);
        WriteFile(w.pipe, w.first.data(), static_cast<DWORD>(w.first.size()), &written, nullptr);
        FlushFileBuffers(w.pipe);  // until the reader has taken it
        WriteFile(w.pipe, w.rest.data(), static_cast<DWORD>(w.rest.size()), &written, nullptr);
        FlushFileBuffers(w.pipe);
        return 0;
    }, &writer, 0, nullptr);
    job.inputFiles = {"\\\\.\\pipe\\tessiva-test-" + std::to_string(GetCurrentProcessId())};
    job.createIndex = false;
    const RunOutcome outcome = Start();
    EXPECT_EQ(WaitForSingleObject(thread, 30000), WAIT_OBJECT_0);
    CloseHandle(thread);
    CloseHandle(writer.pipe);
    ASSERT_EQ(outcome.kind, RunOutcome::Finished) << outcome.reason;
    writer.rest.pop_back();
    EXPECT_TRUE(ReadBytes(out / "p0.htm") == "<h1>Piped</h1>" + MakeHtmlBody(writer.rest));
}
