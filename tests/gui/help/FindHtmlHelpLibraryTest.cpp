// Reading the control's registered library path: only a string that is a full
// path and fits the buffer counts; anything else is "no path".
#include <cstring>
#include <string>
#include <vector>

#include "LoaderFixture.h"

namespace {

std::vector<BYTE> Bytes(const std::string& text, bool withNul = true)
{
    std::vector<BYTE> bytes(text.begin(), text.end());
    if (withNul)
        bytes.push_back(0);
    return bytes;
}

std::string WindowsFolder()
{
    char folder[MAX_PATH];
    return std::string(folder, GetWindowsDirectoryA(folder, MAX_PATH));
}

struct RegisteredValue {
    const char* label;
    DWORD type;
    std::vector<BYTE> bytes;
    BOOL found;
    std::string path;  // expected buffer content when found
};

// The buffer with a guard behind it, to see that nothing is written past it.
struct GuardedBuffer {
    char path[MAX_PATH];
    char guard[16];
};

}  // namespace

using FindHtmlHelpLibraryTest = HtmlHelpLoaderTest;

TEST_F(FindHtmlHelpLibraryTest, AcceptsOnlyAFullPathThatFits)
{
    const std::string longest = "C:\\" + std::string(MAX_PATH - 4, 'a');  // 259 characters + NUL
    const std::string tooLong = "C:\\" + std::string(MAX_PATH - 3, 'a');  // 260 characters
    const std::string expanded = WindowsFolder() + "\\system32\\hhctrl.ocx";
    const std::vector<RegisteredValue> rows = {
        {"plain full path", REG_SZ, Bytes("C:\\Help\\hhctrl.ocx"), TRUE, "C:\\Help\\hhctrl.ocx"},
        {"stored without its NUL", REG_SZ, Bytes("C:\\Help\\hhctrl.ocx", false), TRUE, "C:\\Help\\hhctrl.ocx"},
        {"network path", REG_SZ, Bytes("\\\\server\\share\\hhctrl.ocx"), TRUE, "\\\\server\\share\\hhctrl.ocx"},
        {"expandable", REG_EXPAND_SZ, Bytes("%SystemRoot%\\system32\\hhctrl.ocx"), TRUE, expanded},
        {"longest that fits", REG_SZ, Bytes(longest), TRUE, longest},
        {"bare name", REG_SZ, Bytes("hhctrl.ocx"), FALSE, ""},
        {"relative path", REG_SZ, Bytes("help\\hhctrl.ocx"), FALSE, ""},
        {"drive-relative path", REG_SZ, Bytes("C:hhctrl.ocx"), FALSE, ""},
        {"empty", REG_SZ, Bytes(""), FALSE, ""},
        {"not a string", REG_DWORD, {1, 0, 0, 0}, FALSE, ""},
        {"too long with its NUL", REG_SZ, Bytes(tooLong), FALSE, ""},
        {"too long without its NUL", REG_SZ, Bytes(tooLong, false), FALSE, ""},
    };
    for (const RegisteredValue& row : rows) {
        SCOPED_TRACE(row.label);
        m_classIdKey.SetDefaultBytes(row.type, row.bytes);
        GuardedBuffer buffer;
        std::memset(&buffer, 'x', sizeof(buffer));
        EXPECT_EQ(row.found, FindHtmlHelpLibrary(buffer.path));
        EXPECT_EQ(std::string(16, 'x'), std::string(buffer.guard, 16));
        if (row.found)
            EXPECT_EQ(row.path, std::string(buffer.path));
        else
            EXPECT_EQ('\0', buffer.path[0]);
    }
}

TEST_F(FindHtmlHelpLibraryTest, NoKeyOrNoValueGivesNothing)
{
    char path[MAX_PATH];
    m_classIdKey.RemoveDefault();
    EXPECT_FALSE(FindHtmlHelpLibrary(path));
    m_classIdKey.Remove();
    EXPECT_FALSE(FindHtmlHelpLibrary(path));
}
