// The POSIX file layer on real failures: a file-size limit for a disk that fills at a
// chosen byte, /dev/full, /proc/self/mem for a failing read, and short writes.
#include <atomic>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include "PageMaker.h"  // the sizes a text is read in
#include "TestFiles.h"

static std::atomic<std::size_t> g_writeCap{0};  // 0: writes are whole
// Stands in for the system's write(): writes to files come back short when asked.
extern "C" ssize_t write(int fd, const void* data, size_t size) {
    const std::size_t cap = g_writeCap;
    return syscall(SYS_write, fd, data, fd > 2 && cap != 0 && size > cap ? cap : size);
}

namespace {
struct FileSizeLimit {  // writes past `bytes` fail with EFBIG while this lives
    rlimit saved{};
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limited{bytes, saved.rlim_max};
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

const std::string kHead = "A heading long enough to cross a limit";
class PosixFiles : public EngineRun {
protected:
    void SetUp() override {
        WriteBytes(program / "t.htm", "<h1>$head</h1>$body");
        job = {{Input("a.txt", kHead + "\r\n" + std::string(4000, 'x'))}, "t.htm", "", "", out.Path(), "p", 0, true};
    }
};
}  // namespace

TEST_F(PosixFiles, ShortWritesGoOnWhereTheyStoppedAndAReplacedPageKeepsItsPermissions) {
    WriteBytes(out / "index.htm", "before");
    WriteBytes(out / "p0.htm", "old");
    ASSERT_EQ(chmod((out / "p0.htm").c_str(), 0640), 0);
    g_writeCap = 7;
    EXPECT_EQ(Start().kind, RunOutcome::Finished);
    g_writeCap = 0;
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "<h1>" + kHead + "</h1>" + std::string(4000, 'x'));
    EXPECT_EQ(ReadBytes(out / "index.htm"), "before<a href=\"p0.htm\">" + kHead + "</a><br>");
    struct stat info {};
    EXPECT_TRUE(stat((out / "p0.htm").c_str(), &info) == 0 && (info.st_mode & 0777) == 0640);
}

TEST_F(PosixFiles, AFailedWriteOrReadLeavesEveryFileAsItWas) {
    WriteBytes(out / "p0.htm", "the old page");
    WriteBytes(out / "index.htm", std::string(40, 'i'));
    FileSizeLimit limit(100);
    const RunOutcome page = Start();
    EXPECT_EQ(page.file + ": " + page.reason, out / "p0.htm: " + std::strerror(EFBIG));
    EXPECT_EQ(ReadBytes(out / "p0.htm"), "the old page");
    WriteBytes(in / "a.txt", kHead + "\r\n");
    const RunOutcome entry = Start();  // the page fits, the entry is cut off
    EXPECT_EQ(entry.file + " after " + std::to_string(entry.pagesWritten), out / "index.htm after 1");
    EXPECT_EQ(ReadBytes(out / "index.htm"), std::string(40, 'i'));
    // An index that could not take its first entry is not left behind; a full disk.
    EXPECT_TRUE(platform::AppendToFile(out / "new.htm", std::string(200, 'x')));
    EXPECT_EQ(out.Names(), (Names{"index.htm", "p0.htm"}));
    EXPECT_EQ(platform::AppendToFile("/dev/full", "x").value_or(platform::FileFailure{}).reason, std::strerror(ENOSPC));
    // Reading the first page of /proc/self/mem fails with EIO, as a text or a template.
    job.inputFiles = {"/proc/self/mem"};
    EXPECT_EQ(Start().Describe(), std::string("/proc/self/mem: ") + std::strerror(EIO));
    job.templateName = "../../../../../../../../../proc/self/mem";
    EXPECT_EQ(Start().reason, std::strerror(EIO));
}

TEST_F(PosixFiles, APageOnItsWayIsDiscardedUnlessCommittedAndFailedFilesCloseNothing) {
    if (fcntl(0, F_GETFD) < 0)
        ASSERT_EQ(open("/dev/null", O_RDONLY), 0);  // descriptor 0 stands for another's file
    {
        platform::ReplacingFile page, unopened, failed;
        ASSERT_FALSE(page.Open(out / "p0.htm"));
        EXPECT_TRUE(page.Put("x", 1));
        EXPECT_EQ(out.Names().size(), 1u);  // the file beside
        EXPECT_TRUE(failed.Open(in / "absent" + "/p0.htm"));
        EXPECT_FALSE(unopened.Put("x", 1));
        EXPECT_TRUE(unopened.Commit());
        platform::InputFile unopenedText, failedText;
        EXPECT_TRUE(failedText.Open(in / "absent.txt"));
    }
    EXPECT_TRUE(out.Names().empty() && fcntl(0, F_GETFD) != -1);
}

TEST_F(PosixFiles, ATextReadAgainForEachBodyOrForALongFirstLineLeavesNothingOpen) {
    const auto openFiles = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    const auto before = openFiles();
    WriteBytes(program / "t.htm", "$body$body$body");
    for (const std::string& text : {kHead + "\n" + std::string(3 * kTextPiece, 'x'), std::string(kLongLine + 1, 'h') + "\nb"}) {
        job.inputFiles = {Input("a.txt", text)};
        EXPECT_EQ(Start().kind, RunOutcome::Finished);
        EXPECT_EQ(openFiles(), before) << text.size();
    }
}
