// The help loader: which library the first request loads (stand-ins named by the control's class-id key, a copy planted
// where a search by name would look), the ready and failed states it never leaves, the paths it accepts, the wizard's request.
#include <windows.h>

#include <gtest/gtest.h>
#include <htmlhelp.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "FakeHtmlHelp.h"
#include "HtmlHelpLoader.h"

namespace {

std::string PathOf(HMODULE module) { char p[MAX_PATH]; return std::string(p, GetModuleFileNameA(module, p, MAX_PATH)); }
const std::string kFolder = [] { const std::string p = PathOf(nullptr); return p.substr(0, p.rfind('\\') + 1); }();
const std::string kWith = kFolder + "help_fake_with_entry.dll", kWithout = kFolder + "help_fake_without_entry.dll";
const std::string kSystem = [] { char p[MAX_PATH]; return std::string(p, GetSystemDirectoryA(p, MAX_PATH)) + "\\hhctrl.ocx"; }();
bool Loaded(const std::string& path) { return GetModuleHandleA(path.c_str()) != nullptr; }
void Unload(const std::string& path) { while (Loaded(path) && FreeLibrary(GetModuleHandleA(path.c_str()))) {} }
std::string Z(const std::string& text) { return text + '\0'; }

// The stand-in's calls so far and the last one, as "count caller file command data".
std::string Calls(HMODULE module) {
    auto last = reinterpret_cast<FakeHtmlHelpLastCallProc>(reinterpret_cast<void*>(GetProcAddress(module, FAKE_HTML_HELP_LAST_CALL)));
    const FakeHtmlHelpCall* c = last ? last() : nullptr;
    if (!c) return "no stand-in";
    return std::to_string(c->count) + (c->caller == GetDesktopWindow() ? " desktop " : " other ") + c->file + " " + std::to_string(c->command) + " " + std::to_string(c->data);
}

// The class-id key's default value for one case, put back as found; the loader starts afresh and unloads what it loaded.
struct ClassIdValue {
    ClassIdValue()
    {
        ResetHtmlHelpLoaderForTests();
        RegCreateKeyExA(HKEY_CLASSES_ROOT, kHtmlHelpClassIdKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        m_existed = RegQueryValueExA(m_key, nullptr, nullptr, &m_type, m_saved, &m_size) == ERROR_SUCCESS;
    }
    ~ClassIdValue()
    {
        m_existed ? RegSetValueExA(m_key, nullptr, 0, m_type, m_saved, m_size) : RegDeleteValueA(m_key, nullptr);
        RegCloseKey(m_key), Unload(kWith), Unload(kWithout), Unload(kSystem), ResetHtmlHelpLoaderForTests();
    }
    void Set(const std::string& b, DWORD t = REG_SZ)
    {
        t == REG_NONE ? RegDeleteValueA(m_key, nullptr) : RegSetValueExA(m_key, nullptr, 0, t, reinterpret_cast<const BYTE*>(b.data()), DWORD(b.size()));
    }
    HKEY m_key = nullptr; BYTE m_saved[1024];
    DWORD m_type = REG_SZ, m_size = sizeof(m_saved); bool m_existed = false;
};

}  // namespace

TEST(HelpLoader, LoadsOnlyTheRegisteredFullPathOrTheSystemFoldersControlAndStaysAsItEnds) {
    const std::string program = kFolder + "tessiva.chm", none = "no stand-in|no stand-in";
    // registered "": no value; calls: the stand-in's record after each of two requests
    const struct { const char* label; std::string registered, module, calls; } rows[] = {
        {"registered stand-in", Z(kWith), kWith, "1 desktop " + program + " 0 0|2 other (null) 18 8"},
        {"registered library without ordinal 14", Z(kWithout), kWithout, "0 other  0 0|0 other  0 0"},
        {"no registered path", "", kSystem, none},
        {"unloadable registered path", Z(kFolder + "missing\\hhctrl.ocx"), kSystem, none},
        {"bare registered name", Z("hhctrl.ocx"), kSystem, none},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label); ClassIdValue key;
        key.Set(row.registered, row.registered.empty() ? REG_NONE : REG_SZ);
        const std::string planted = kFolder + "hhctrl.ocx";  // first where a search by name would look
        ASSERT_TRUE(CopyFileA(kWith.c_str(), planted.c_str(), FALSE));
        // The wizard's request to the stand-in; a harmless one to the real control.
        const bool ready = row.module != kWithout;
        const HWND answer = row.module == kWith ? ShowHelpContents() : CallHtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
        EXPECT_EQ(0, lstrcmpiA(row.module.c_str(), PathOf(g_hHtmlHelpModule).c_str())) << PathOf(g_hHtmlHelpModule);
        EXPECT_EQ(ready, !g_bHtmlHelpFailed && g_pfnHtmlHelp); const std::string calls = Calls(g_hHtmlHelpModule);
        EXPECT_FALSE(Loaded(planted)); Unload(planted), DeleteFileA(planted.c_str());
        // Another library registered now: neither end state looks again.
        const HMODULE first = g_hHtmlHelpModule; const std::string other = row.module == kWith ? kWithout : kWith;
        key.Set(Z(other)); const HWND again = CallHtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 8);
        EXPECT_TRUE(first == g_hHtmlHelpModule && !Loaded(other)); EXPECT_EQ(row.calls, calls + "|" + Calls(first));
        if (row.module != kSystem)  // the stand-in's answer comes back, or none from a failed loader
            EXPECT_EQ(std::make_pair(ready ? FAKE_HTML_HELP_WINDOW : nullptr, ready ? FAKE_HTML_HELP_WINDOW : nullptr), std::make_pair(answer, again));
    }
}

TEST(HelpLoader, TakesARegisteredPathOnlyWhenItIsAFullPathThatFits) {
    const std::string system = std::string(std::getenv("SystemRoot")) + "\\system32\\h.ocx", longest = "C:\\" + std::string(MAX_PATH - 4, 'a');  // 259 characters
    const struct { const char* label; DWORD type; std::string bytes, path; } rows[] = {  // path: expected, "" when refused
        {"full path", REG_SZ, Z("C:\\Help\\h.ocx"), "C:\\Help\\h.ocx"},
        {"lower-case drive, forward slash", REG_SZ, Z("c:/Help/h.ocx"), "c:/Help/h.ocx"},
        {"stored without its NUL", REG_SZ, "C:\\Help\\h.ocx", "C:\\Help\\h.ocx"},
        {"network path", REG_SZ, Z("\\\\server\\share\\h.ocx"), "\\\\server\\share\\h.ocx"},
        {"expandable", REG_EXPAND_SZ, Z("%SystemRoot%\\system32\\h.ocx"), system},
        {"longest that fits", REG_SZ, Z(longest), longest},
        {"relative path, a separator second", REG_SZ, Z("h\\h.ocx"), ""},
        {"rooted without a drive", REG_SZ, Z("\\help\\h.ocx"), ""},
        {"drive-relative path", REG_SZ, Z("C:h.ocx"), ""},
        {"no letter before the colon", REG_SZ, Z("_:\\h.ocx"), ""},
        {"empty", REG_SZ, Z(""), ""},
        {"not a string", REG_DWORD, std::string("\1\0\0\0", 4), ""},
        {"too long", REG_SZ, Z(longest + "a"), ""},
        {"too long without its NUL", REG_SZ, longest + "a", ""},
        {"no value", REG_NONE, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label); ClassIdValue key; key.Set(row.bytes, row.type);
        char buffer[MAX_PATH + 8]; std::memset(buffer, 'x', sizeof(buffer));  // with a guard behind what the loader fills
        EXPECT_EQ(!row.path.empty(), FindHtmlHelpLibrary(reinterpret_cast<char(&)[MAX_PATH]>(buffer)) != FALSE);
        EXPECT_EQ(row.path, std::string(buffer, strnlen(buffer, MAX_PATH)));
        EXPECT_EQ(std::string(8, 'x'), std::string(buffer + MAX_PATH, 8));
    }
}

// Runs in the second run only, in which Wine loads no control (see suite.cmake).
TEST(HelpLoader, DISABLED_WithoutAnyControlFailsOnceAndNeverTriesAgain) {
    ASSERT_EQ(nullptr, LoadLibraryA(kSystem.c_str())) << "needs a run without the control"; ClassIdValue key;
    key.Set("", REG_NONE); EXPECT_EQ(nullptr, ShowHelpContents());
    EXPECT_TRUE(g_bHtmlHelpFailed && !g_hHtmlHelpModule); key.Set(Z(kWith));
    EXPECT_EQ(nullptr, ShowHelpContents()); EXPECT_FALSE(Loaded(kWith) || g_hHtmlHelpModule);
}
