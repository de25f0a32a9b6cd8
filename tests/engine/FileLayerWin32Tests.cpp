// The Win32 file layer under Wine: files held open by another program, the system's
// own wording, and a text that arrives in pieces.
#include <windows.h>
#include "PageMaker.h"
#include "TestFiles.h"
#include "TextToHtml.h"

namespace {
std::string SystemText(DWORD error) {
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 512, nullptr);
    return std::string(text).substr(0, std::string(text).find_last_not_of("\r\n ") + 1);
}

class Win32Files : public EngineRun {
protected:
    void SetUp() override {
        WriteBytes(program / "t.htm", "<h1>$head</h1>$body");
        job = ConversionJob{{Input("a.txt", "Alpha\r\ntext\r\n")}, "t.htm", "", "", out.Path(), "p", 0, true};
    }
    // A run on a text handed over through a pipe, as a program would: its first line alone, then the
    // rest; cut off, the pipe is broken once the reader has taken that.
    RunOutcome StartOnPipe(std::string text, bool cut) {
        job.inputFiles = {"\\\\.\\pipe\\tessiva-test-" + std::to_string(GetCurrentProcessId())};
        job.createIndex = false;
        struct Pipe { HANDLE handle; std::string text; bool cut; } pipe{
            CreateNamedPipeA(job.inputFiles[0].c_str(), PIPE_ACCESS_OUTBOUND, 0, 1, 65536, 65536, 0, nullptr), std::move(text), cut};
        EXPECT_NE(pipe.handle, INVALID_HANDLE_VALUE);  // else every run would fail, cut or not
        const HANDLE writer = CreateThread(nullptr, 0, [](void* context) -> DWORD {
            const Pipe& p = *static_cast<Pipe*>(context);
            DWORD written = 0;
            ConnectNamedPipe(p.handle, nullptr), WriteFile(p.handle, p.text.data(), 7, &written, nullptr);
            FlushFileBuffers(p.handle);  // until the reader has taken the first line
            WriteFile(p.handle, p.text.data() + 7, static_cast<DWORD>(p.text.size() - 7), &written, nullptr);
            if (p.cut)
                FlushFileBuffers(p.handle), DisconnectNamedPipe(p.handle);
            return 0;
        }, &pipe, 0, nullptr);
        const RunOutcome outcome = Start();
        EXPECT_EQ(WaitForSingleObject(writer, 30000), WAIT_OBJECT_0);
        CloseHandle(writer), CloseHandle(pipe.handle);
        return outcome;
    }
};
}  // namespace

TEST_F(Win32Files, AFileHeldOpenByAnotherProgramStopsTheRunAndStaysAsItWas) {
    WriteBytes(out / "p0.htm", "old");
    WriteBytes(out / "index.htm", "before");
    for (const std::string& held : {in / "a.txt", out / "p0.htm", out / "index.htm"}) {
        const HANDLE handle = CreateFileA(held.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        const RunOutcome outcome = Start();
        CloseHandle(handle);
        EXPECT_EQ(outcome.file, held);
        EXPECT_TRUE(held == out / "p0.htm" || outcome.reason == SystemText(ERROR_SHARING_VIOLATION)) << held;
        EXPECT_EQ(ReadBytes(out / "p0.htm") + ReadBytes(out / "index.htm"), held == out / "index.htm"
                  ? "<h1>Alpha</h1>text\r\n<br>before" : "oldbefore") << held;  // a page goes in before its entry
        EXPECT_EQ(out.Names(), (Names{"index.htm", "p0.htm"}));
    }
}

TEST_F(Win32Files, AFileLetGoWithinAFewSecondsIsWaitedFor) {
    const HANDLE held = CreateFileA((in / "a.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const HANDLE letGo = CreateThread(nullptr, 0, [](void* file) -> DWORD { Sleep(200); return CloseHandle(file); }, held, 0, nullptr);
    EXPECT_EQ(Start().kind, RunOutcome::Finished);
    WaitForSingleObject(letGo, INFINITE), CloseHandle(letGo);
}

TEST_F(Win32Files, ATextThatArrivesInPiecesIsReadWhole) {
    // The rest up to a NUL that ends the engine's first read of a whole piece.
    std::string text = "Piped\r\n";
    while (text.size() < kTextPiece)
        text += "line " + std::to_string(text.size()) + "  x\r\n";
    text.resize(kTextPiece - 1);
    text += '\0';
    const RunOutcome outcome = StartOnPipe(text, false);
    ASSERT_EQ(outcome.kind, RunOutcome::Finished) << outcome.reason;
    EXPECT_TRUE(ReadBytes(out / "p0.htm") == "<h1>Piped</h1>" + MakeHtmlBody(text.substr(7, kTextPiece - 8)));
}

TEST_F(Win32Files, ATextCutOffAfterItsFirstPieceLeavesNothingBeside) {
    EXPECT_NE(StartOnPipe("Head\r\n" + std::string(kTextPiece, 'x'), true).kind, RunOutcome::Finished);
    EXPECT_EQ(out.Names(), Names{});
}

TEST_F(Win32Files, ANameOrPathPastTheLimitIsReportedAsTooLongAndOneJustWithinIsNot) {
    const std::string longName(300, 'n');
    const struct { const char* label; std::string text, folder, name; DWORD cause = ERROR_FILENAME_EXCED_RANGE; } rows[] = {
        {"a text's path", in / longName, out.Path(), "p"},
        {"a page's name", in / "a.txt", out.Path(), longName},
        {"the output folder's path", in / "a.txt", out / std::string(240, 'f'), "p"},
        {"a name of 256 characters in a short path", "C:\\" + std::string(256, 'n'), out.Path(), "p"},
        {"a name of 255 characters: within", "C:\\" + std::string(255, 'n'), out.Path(), "p", ERROR_FILE_NOT_FOUND},
        {"a path of 259 characters: within", "C:\\" + std::string(200, 'f') + "\\" + std::string(55, 'n'), out.Path(), "p", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& row : rows) {
        job.inputFiles = {row.text};
        job.outputPath = row.folder;
        job.outputName = row.name;
        const RunOutcome outcome = Start();
        EXPECT_EQ(outcome.reason, SystemText(row.cause)) << row.label;
        EXPECT_EQ(out.Names(), Names{}) << row.label;
    }
}
