// The help loader: which library the first request loads (stand-ins named by
// the control's class-id key, copies planted where a search would find them),
// the ready and failed states it never leaves, the registered paths it accepts,
// and the request the wizard makes, which opens the real help window.
#include <windows.h>

#include <htmlhelp.h>

#include <cstring>
#include <string>
#include <vector>

#include "FakeHtmlHelp.h"
#include "GuiHarness.h"
#include "HtmlHelpLoader.h"

namespace {

std::string Folder()
{
    char path[MAX_PATH];
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return program.substr(0, program.rfind('\\') + 1);
}
std::string PathOf(HMODULE module)
{
    char path[MAX_PATH];
    return std::string(path, module ? GetModuleFileNameA(module, path, MAX_PATH) : 0);
}
const std::string kWith = Folder() + "help_fake_with_entry.dll", kWithout = Folder() + "help_fake_without_entry.dll";
const std::string kSystem = [] { char p[MAX_PATH]; return std::string(p, GetSystemDirectoryA(p, MAX_PATH)) + "\\hhctrl.ocx"; }();
bool Loaded(const std::string& path) { return GetModuleHandleA(path.c_str()) != nullptr; }
void Unload(const std::string& path)
{
    for (HMODULE module; (module = GetModuleHandleA(path.c_str())) && FreeLibrary(module);) {
    }
}
const FakeHtmlHelpCall* Record(HMODULE module)
{
    auto last = reinterpret_cast<FakeHtmlHelpLastCallProc>(reinterpret_cast<void*>(GetProcAddress(module, FAKE_HTML_HELP_LAST_CALL)));
    return last ? last() : nullptr;
}
std::string Z(const std::string& text) { return text + '\0'; }

// The class-id key's default value, put back as found; each use starts the
// loader afresh and unloads what it loaded.
class ClassIdValue {
public:
    ClassIdValue()
    {
        ResetHtmlHelpLoaderForTests();
        RegCreateKeyExA(HKEY_CLASSES_ROOT, kHtmlHelpClassIdKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        DWORD size = sizeof(m_saved);
        m_existed = RegQueryValueExA(m_key, nullptr, nullptr, &m_type, m_saved, &size) == ERROR_SUCCESS;
        m_size = size;
    }
    ~ClassIdValue()
    {
        if (m_existed)
            RegSetValueExA(m_key, nullptr, 0, m_type, m_saved, m_size);
        else
            RegDeleteValueA(m_key, nullptr);
        RegCloseKey(m_key);
        for (const std::string& path : {kWith, kWithout, kSystem})
            Unload(path);
        ResetHtmlHelpLoaderForTests();
    }
    void Set(const std::string& bytes, DWORD type = REG_SZ)
    {
        if (type == REG_NONE)
            RegDeleteValueA(m_key, nullptr);
        else
            ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(m_key, nullptr, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                                    static_cast<DWORD>(bytes.size())));
    }

private:
    HKEY m_key = nullptr;
    BYTE m_saved[1024];
    DWORD m_type = REG_SZ, m_size = 0;
    bool m_existed = false;
};

}  // namespace

TEST(HelpLoader, LoadsOnlyTheRegisteredFullPathOrTheSystemFoldersControlAndStaysAsItEnds)
{
    struct Row {
        const char* label;
        std::string registered;  // REG_NONE: no value
        DWORD type;
        std::string module;      // what the first request loads
        bool ready;
    };
    const std::vector<Row> rows = {
        {"registered stand-in", Z(kWith), REG_SZ, kWith, true},
        {"registered library without ordinal 14", Z(kWithout), REG_SZ, kWithout, false},
        {"no registered path", "", REG_NONE, kSystem, true},
        {"unloadable registered path", Z(Folder() + "missing\\hhctrl.ocx"), REG_SZ, kSystem, true},
        {"bare registered name", Z("hhctrl.ocx"), REG_SZ, kSystem, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ClassIdValue key;
        key.Set(row.registered, row.type);
        // Copies of the stand-in where a search by name would look first.
        gui::TempFolder current("help");
        const std::string planted[] = {current.Path() + "\\hhctrl.ocx", Folder() + "hhctrl.ocx"};
        char previous[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, previous);
        SetCurrentDirectoryA(current.Path().c_str());
        for (const std::string& copy : planted)
            ASSERT_TRUE(CopyFileA(kWith.c_str(), copy.c_str(), FALSE));

        const HWND answer = row.module == kWith ? ShowHelpContents()
                                                : CallHtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
        EXPECT_TRUE(lstrcmpiA(row.module.c_str(), PathOf(g_hHtmlHelpModule).c_str()) == 0)
            << PathOf(g_hHtmlHelpModule);
        EXPECT_EQ(!row.ready, g_bHtmlHelpFailed != FALSE);
        EXPECT_EQ(row.ready, g_pfnHtmlHelp != nullptr);
        if (row.module == kWith) {
            // The wizard's request: the default topic of the program folder's
            // file, whatever the current folder, owned by the desktop.
            EXPECT_EQ(FAKE_HTML_HELP_WINDOW, answer);
            const FakeHtmlHelpCall* call = Record(g_hHtmlHelpModule);
            EXPECT_EQ(1, call->count);
            EXPECT_EQ(GetDesktopWindow(), call->caller);
            EXPECT_EQ(Folder() + "tessiva.chm", call->file);
            EXPECT_EQ(static_cast<UINT>(HH_DISPLAY_TOPIC), call->command);
            EXPECT_EQ(0u, call->data);
        }
        for (const std::string& copy : planted) {
            EXPECT_FALSE(Loaded(copy)) << copy;
            Unload(copy);
            DeleteFileA(copy.c_str());
        }
        SetCurrentDirectoryA(previous);

        // Another library registered now: neither end state looks again.
        const HMODULE first = g_hHtmlHelpModule;
        const std::string other = row.module == kWith ? kWithout : kWith;
        key.Set(Z(other));
        const HWND again = CallHtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 8);
        EXPECT_EQ(first, g_hHtmlHelpModule);
        EXPECT_FALSE(Loaded(other));
        if (!row.ready) {
            EXPECT_EQ(nullptr, again);
            EXPECT_EQ(0, Record(first)->count) << "a neighbouring ordinal was called";
        } else if (row.module == kWith) {
            const FakeHtmlHelpCall* call = Record(first);
            EXPECT_EQ(2, call->count);
            EXPECT_STREQ("(null)", call->file);
            EXPECT_EQ(static_cast<UINT>(HH_CLOSE_ALL), call->command);
            EXPECT_EQ(8u, call->data);
        }
    }
}

TEST(HelpLoader, TheRealControlShowsTheHelpFileInAWindowOfTheDesktop)
{
    ClassIdValue key;
    key.Set("", REG_NONE);
    const HWND help = ShowHelpContents();
    ASSERT_NE(nullptr, help);
    EXPECT_TRUE(IsWindowVisible(help));
    EXPECT_EQ(nullptr, GetWindow(help, GW_OWNER));
    EXPECT_EQ("tessiva Help", gui::WindowText(help));
    CallHtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
    gui::FlushEvents();
}

TEST(HelpLoader, TakesARegisteredPathOnlyWhenItIsAFullPathThatFits)
{
    char windows[MAX_PATH];
    const std::string system = std::string(windows, GetWindowsDirectoryA(windows, MAX_PATH)) + "\\system32\\h.ocx";
    const std::string longest = "C:\\" + std::string(MAX_PATH - 4, 'a');  // 259 characters
    const struct {
        const char* label;
        DWORD type;
        std::string bytes, path;  // path: expected, empty when refused
    } rows[] = {
        {"full path", REG_SZ, Z("C:\\Help\\h.ocx"), "C:\\Help\\h.ocx"},
        {"lower-case drive, forward slash", REG_SZ, Z("c:/Help/h.ocx"), "c:/Help/h.ocx"},
        {"stored without its NUL", REG_SZ, "C:\\Help\\h.ocx", "C:\\Help\\h.ocx"},
        {"network path", REG_SZ, Z("\\\\server\\share\\h.ocx"), "\\\\server\\share\\h.ocx"},
        {"expandable", REG_EXPAND_SZ, Z("%SystemRoot%\\system32\\h.ocx"), system},
        {"longest that fits", REG_SZ, Z(longest), longest},
        {"bare name", REG_SZ, Z("h.ocx"), ""},
        {"relative path", REG_SZ, Z("help\\h.ocx"), ""},
        {"rooted without a drive", REG_SZ, Z("\\help\\h.ocx"), ""},
        {"drive-relative path", REG_SZ, Z("C:h.ocx"), ""},
        {"empty", REG_SZ, Z(""), ""},
        {"not a string", REG_DWORD, std::string("\1\0\0\0", 4), ""},
        {"too long", REG_SZ, Z(longest + "a"), ""},
        {"too long without its NUL", REG_SZ, longest + "a", ""},
        {"no value", REG_NONE, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ClassIdValue key;
        key.Set(row.bytes, row.type);
        struct {
            char path[MAX_PATH];
            char guard[8];
        } buffer;
        std::memset(&buffer, 'x', sizeof(buffer));
        EXPECT_EQ(!row.path.empty(), FindHtmlHelpLibrary(buffer.path) != FALSE);
        EXPECT_EQ(row.path, std::string(buffer.path, strnlen(buffer.path, MAX_PATH)));
        EXPECT_EQ(std::string(8, 'x'), std::string(buffer.guard, 8));
    }
}

// Runs in the second run only, in which Wine loads no control (see suite.cmake).
TEST(HelpLoader, DISABLED_WithoutAnyControlFailsOnceAndNeverTriesAgain)
{
    ASSERT_EQ(nullptr, LoadLibraryA(kSystem.c_str())) << "needs a run without the control";
    ClassIdValue key;
    key.Set("", REG_NONE);
    EXPECT_EQ(nullptr, ShowHelpContents());
    EXPECT_TRUE(g_bHtmlHelpFailed);
    EXPECT_EQ(nullptr, g_hHtmlHelpModule);
    key.Set(Z(kWith));
    EXPECT_EQ(nullptr, ShowHelpContents());
    EXPECT_FALSE(Loaded(kWith));
    EXPECT_EQ(nullptr, g_hHtmlHelpModule);
}
