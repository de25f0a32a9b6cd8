// The loader's first request and its two end states, ready and failed, with
// stand-in libraries named by the class-id key. The cases that need a process
// that has loaded no help library come first in this program (files are
// linked in name order, and nothing before this file loads the real control);
// each checks that itself.
#include <windows.h>

#include <htmlhelp.h>

#include "LoaderFixture.h"

using namespace helptest;

namespace {

// A harmless request for the real control: it opens nothing.
HWND CloseAllHelpWindows() { return CallHtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0); }

}  // namespace

TEST_F(HtmlHelpLoaderTest, LoadsTheRegisteredPathAndNeverTheBareName)
{
    ASSERT_FALSE(AnyHtmlHelpLibraryLoaded()) << "needs a process with no help library loaded";
    m_classIdKey.SetDefault(FakeWithEntryPath());
    const HWND caller = GetDesktopWindow();

    EXPECT_EQ(FAKE_HTML_HELP_WINDOW, CallHtmlHelp(caller, "C:\\guide\\a.chm", 0x1D, 0xC0FFEE));

    ASSERT_NE(nullptr, g_hHtmlHelpModule);
    EXPECT_TRUE(SamePath(FakeWithEntryPath(), ModulePath(g_hHtmlHelpModule)));
    EXPECT_FALSE(g_bHtmlHelpFailed);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(g_hHtmlHelpModule, MAKEINTRESOURCEA(14))),
              reinterpret_cast<void*>(g_pfnHtmlHelp));
    EXPECT_FALSE(AnyHtmlHelpLibraryLoaded());

    const FakeHtmlHelpCall* call = FakeRecord(g_hHtmlHelpModule);
    ASSERT_NE(nullptr, call);
    EXPECT_EQ(1, call->count);
    EXPECT_EQ(caller, call->caller);
    EXPECT_EQ("C:\\guide\\a.chm", std::string(call->file));
    EXPECT_EQ(0x1Du, call->command);
    EXPECT_EQ(0xC0FFEEu, call->data);
}

TEST_F(HtmlHelpLoaderTest, ReadyStaysReadyAndLooksNothingUpAgain)
{
    m_classIdKey.SetDefault(FakeWithEntryPath());
    CallHtmlHelp(nullptr, "first.chm", 0, 0);
    const HMODULE module = g_hHtmlHelpModule;

    // The key now names another library: a loader that looked again would take it.
    m_classIdKey.SetDefault(FakeWithoutEntryPath());
    EXPECT_EQ(FAKE_HTML_HELP_WINDOW, CallHtmlHelp(nullptr, nullptr, 7, 8));

    EXPECT_EQ(module, g_hHtmlHelpModule);
    EXPECT_FALSE(IsLoaded(FakeWithoutEntryPath()));
    const FakeHtmlHelpCall* call = FakeRecord(module);
    EXPECT_EQ(2, call->count);
    EXPECT_TRUE(call->fileWasNull);
    EXPECT_EQ(7u, call->command);
    EXPECT_EQ(8u, call->data);
}

TEST_F(HtmlHelpLoaderTest, LibraryWithoutOrdinal14StaysLoadedAndHelpStaysOff)
{
    m_classIdKey.SetDefault(FakeWithoutEntryPath());

    EXPECT_EQ(nullptr, CallHtmlHelp(nullptr, "a.chm", 0, 0));
    EXPECT_TRUE(g_bHtmlHelpFailed);
    EXPECT_EQ(nullptr, g_pfnHtmlHelp);
    ASSERT_NE(nullptr, g_hHtmlHelpModule);
    EXPECT_TRUE(SamePath(FakeWithoutEntryPath(), ModulePath(g_hHtmlHelpModule)));
    // Its neighbouring ordinals are not taken for the entry point either.
    EXPECT_EQ(0, FakeRecord(g_hHtmlHelpModule)->count);

    // A loadable library is registered now; a failed loader does not try it.
    m_classIdKey.SetDefault(FakeWithEntryPath());
    EXPECT_EQ(nullptr, CallHtmlHelp(nullptr, "a.chm", 0, 0));
    EXPECT_EQ(nullptr, CallHtmlHelp(nullptr, "a.chm", 0, 0));
    EXPECT_FALSE(IsLoaded(FakeWithEntryPath()));
    EXPECT_TRUE(IsLoaded(FakeWithoutEntryPath()));
    EXPECT_TRUE(g_bHtmlHelpFailed);
    EXPECT_EQ(0, FakeRecord(g_hHtmlHelpModule)->count);
}

// A library named hhctrl.ocx in the current folder or beside the program must
// never run: without a usable registered path only the system folder's copy is
// loaded. (The test run tells Wine to prefer such a planted library over its
// own, as Windows does for the program folder.)
TEST_F(HtmlHelpLoaderTest, WithoutTheKeyOnlyTheSystemFoldersControlIsLoaded)
{
    ASSERT_FALSE(AnyHtmlHelpLibraryLoaded()) << "needs a process with no help library loaded";
    TempFolder current;
    PlantedFile inCurrent(FakeWithEntryPath(), current.Path() + "hhctrl.ocx");
    PlantedFile besideProgram(FakeWithEntryPath(), ProgramFolder() + "hhctrl.ocx");
    ASSERT_TRUE(inCurrent.Planted() && besideProgram.Planted());
    ScopedCurrentDirectory cd(current.Path());
    m_classIdKey.Remove();

    CloseAllHelpWindows();

    ASSERT_NE(nullptr, g_hHtmlHelpModule);
    EXPECT_TRUE(SamePath(SystemHtmlHelpPath(), ModulePath(g_hHtmlHelpModule))) << ModulePath(g_hHtmlHelpModule);
    EXPECT_EQ(nullptr, FakeRecord(g_hHtmlHelpModule));
    EXPECT_FALSE(IsLoaded(inCurrent.Path()));
    EXPECT_FALSE(IsLoaded(besideProgram.Path()));
    EXPECT_NE(nullptr, g_pfnHtmlHelp);
    EXPECT_FALSE(g_bHtmlHelpFailed);
}

TEST_F(HtmlHelpLoaderTest, AnUnloadableRegisteredPathFallsBackToTheSystemFolderOnly)
{
    ASSERT_FALSE(AnyHtmlHelpLibraryLoaded()) << "needs a process with no help library loaded";
    TempFolder current;
    PlantedFile inCurrent(FakeWithEntryPath(), current.Path() + "hhctrl.ocx");
    PlantedFile besideProgram(FakeWithEntryPath(), ProgramFolder() + "hhctrl.ocx");
    ASSERT_TRUE(inCurrent.Planted() && besideProgram.Planted());
    ScopedCurrentDirectory cd(current.Path());
    m_classIdKey.SetDefault(current.Path() + "missing\\hhctrl.ocx");

    CloseAllHelpWindows();

    ASSERT_NE(nullptr, g_hHtmlHelpModule);
    EXPECT_TRUE(SamePath(SystemHtmlHelpPath(), ModulePath(g_hHtmlHelpModule))) << ModulePath(g_hHtmlHelpModule);
    EXPECT_FALSE(IsLoaded(inCurrent.Path()));
    EXPECT_FALSE(IsLoaded(besideProgram.Path()));
}

TEST_F(HtmlHelpLoaderTest, ABareRegisteredNameIsNotSearchedFor)
{
    ASSERT_FALSE(AnyHtmlHelpLibraryLoaded()) << "needs a process with no help library loaded";
    PlantedFile besideProgram(FakeWithEntryPath(), ProgramFolder() + "hhctrl.ocx");
    ASSERT_TRUE(besideProgram.Planted());
    m_classIdKey.SetDefault("hhctrl.ocx");

    CloseAllHelpWindows();

    EXPECT_TRUE(SamePath(SystemHtmlHelpPath(), ModulePath(g_hHtmlHelpModule))) << ModulePath(g_hHtmlHelpModule);
    EXPECT_FALSE(IsLoaded(besideProgram.Path()));
}

// Runs only in the second run of this program, in which Wine refuses to load
// the control (see suite.cmake): no key and nothing loadable.
TEST_F(HtmlHelpLoaderTest, DISABLED_WithoutAnyControlFailsOnceAndNeverTriesAgain)
{
    {
        HMODULE probe = LoadLibraryExA(SystemHtmlHelpPath().c_str(), nullptr, 0);
        ASSERT_EQ(nullptr, probe) << "needs a run in which the control cannot be loaded";
    }
    m_classIdKey.Remove();

    EXPECT_EQ(nullptr, CallHtmlHelp(GetDesktopWindow(), "tessiva.chm", HH_DISPLAY_TOPIC, 0));
    EXPECT_TRUE(g_bHtmlHelpFailed);
    EXPECT_EQ(nullptr, g_hHtmlHelpModule);
    EXPECT_EQ(nullptr, g_pfnHtmlHelp);

    // Something loadable is registered now; the failed loader tries nothing.
    m_classIdKey.SetDefault(FakeWithEntryPath());
    EXPECT_EQ(nullptr, CallHtmlHelp(GetDesktopWindow(), "tessiva.chm", HH_DISPLAY_TOPIC, 0));
    EXPECT_FALSE(IsLoaded(FakeWithEntryPath()));
    EXPECT_TRUE(g_bHtmlHelpFailed);
    EXPECT_EQ(nullptr, g_hHtmlHelpModule);
}
