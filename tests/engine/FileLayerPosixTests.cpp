// The POSIX file layer: failures in the middle of a write must leave every file
// as it was. A file-size limit makes writes fail at a chosen byte, the way a full
// disk does.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

#include "IndexFile.h"
#include "RunConversion.h"
#include "TestFiles.h"

namespace {

// Writes past `bytes` fail with EFBIG while this lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

class PosixFiles : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(program / "t.htm", "$body");
        job.templateName = "t.htm";
        job.outputPath = out.Path();
        job.outputName = "p";
    }
    RunOutcome Start() {
        return RunConversion(job, program.WithSeparator(), [](const std::string&) { return true; });
    }
    ScratchFolder program, in, out;
    ConversionJob job;
};

}  // namespace

TEST_F(PosixFiles, AFailedPageWriteKeepsTheOldPageAndLeavesNothingBeside) {
    WriteBytes(in / "big.txt", std::string(4096, 'x'));
    job.inputFiles = {in / "big.txt"};
    WriteBytes(out / "p0.htm", "the old page");
    RunOutcome outcome;
    {
        FileSizeLimit limit(1000);
        outcome = Start();
    }
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, out / "p0.htm");
    EXPECT_EQ(outcome.reason, std::strerror(EFBIG));
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "the old page");
    EXPECT_EQ(out.Names(), std::vector<std::string>{"p0.htm"});
}

TEST_F(PosixFiles, AFailedIndexAppendLeavesTheIndexExactlyAsItWas) {
    WriteBytes(in / "a.txt", "A heading long enough to cross the limit\r\n");
    job.inputFiles = {in / "a.txt"};
    job.createIndex = true;
    const std::string before(40, 'i');
    WriteBytes(out / "index.htm", before);
    RunOutcome outcome;
    {
        // The page (empty body) fits; the entry starts to go in and is cut off.
        FileSizeLimit limit(50);
        outcome = Start();
    }
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, out / "index.htm");
    EXPECT_EQ(outcome.pagesWritten, 1u);
    EXPECT_EQ(ReadBytes(out / "index.htm"), before);
    EXPECT_TRUE(Exists(out / "p0.htm"));
}

TEST_F(PosixFiles, AnIndexThatCouldNotTakeItsFirstEntryIsNotLeftBehind) {
    FileSizeLimit limit(5);
    EXPECT_TRUE(platform::AppendToFile(out / "index.htm", "<a href=\"p0.htm\">x</a><br>"));
    EXPECT_FALSE(Exists(out / "index.htm"));
}

TEST_F(PosixFiles, AReplacedPageKeepsItsPermissions) {
    WriteBytes(in / "a.txt", "A");
    job.inputFiles = {in / "a.txt"};
    WriteBytes(out / "p0.htm", "old");
    ASSERT_EQ(chmod((out / "p0.htm").c_str(), 0640), 0);
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    struct stat info {};
    ASSERT_EQ(stat((out / "p0.htm").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "A");
}

TEST_F(PosixFiles, FileErrorsCarryTheSystemsWording) {
    job.inputFiles = {in.Path()};  // a folder is no text file
    RunOutcome outcome = Start();
    EXPECT_EQ(outcome.kind, RunOutcome::FileError);
    EXPECT_EQ(outcome.file, in.Path());
    EXPECT_EQ(outcome.reason, std::strerror(EISDIR));

    job.inputFiles = {in / "absent.txt"};
    outcome = Start();
    EXPECT_EQ(outcome.reason, std::strerror(ENOENT));
}

TEST(PosixFileExists, FilesFoldersAndNothing) {
    ScratchFolder folder;
    WriteBytes(folder / "f", "");
    EXPECT_TRUE(FileExists(folder / "f"));
    EXPECT_TRUE(FileExists(folder.Path()));
    EXPECT_FALSE(FileExists(folder / "g"));
    EXPECT_EQ(platform::kPathSeparator, '/');
}

TEST(PosixProgramFolder, IsTheFolderOfThisExecutable) {
    const std::string folder = platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(FileExists(folder + "engine_tests"));
}
