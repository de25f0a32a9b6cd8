// The help file is named by its full path in the program folder, so help works
// whatever folder the program was started from, and the wizard's request is
// "the default topic of that file, owned by the desktop window".
#include <windows.h>

#include <htmlhelp.h>

#include <fstream>

#include "LoaderFixture.h"

using namespace helptest;

TEST(HelpFile, IsTheProgramFoldersCopyWhateverTheCurrentFolder)
{
    const std::string expected = ProgramFolder() + "tessiva.chm";
    EXPECT_EQ(expected, GetHelpFilePath());

    TempFolder elsewhere;
    ScopedCurrentDirectory cd(elsewhere.Path());
    EXPECT_EQ(expected, GetHelpFilePath());
}

TEST(HelpFile, IsInstalledBesideTheProgramAsACompiledHelpFile)
{
    std::ifstream file(GetHelpFilePath(), std::ios::binary);
    ASSERT_TRUE(file.good()) << GetHelpFilePath();
    char signature[4] = {};
    file.read(signature, 4);
    EXPECT_EQ("ITSF", std::string(signature, 4));
}

using ShowHelpContentsTest = HtmlHelpLoaderTest;

TEST_F(ShowHelpContentsTest, AsksForTheDefaultTopicOfTheFullPathOwnedByTheDesktop)
{
    m_classIdKey.SetDefault(FakeWithEntryPath());
    TempFolder elsewhere;
    ScopedCurrentDirectory cd(elsewhere.Path());

    EXPECT_EQ(FAKE_HTML_HELP_WINDOW, ShowHelpContents());

    const FakeHtmlHelpCall* call = FakeRecord(g_hHtmlHelpModule);
    ASSERT_NE(nullptr, call);
    EXPECT_EQ(1, call->count);
    EXPECT_EQ(GetDesktopWindow(), call->caller);
    EXPECT_EQ(ProgramFolder() + "tessiva.chm", std::string(call->file));
    EXPECT_EQ(static_cast<UINT>(HH_DISPLAY_TOPIC), call->command);
    EXPECT_EQ(0u, call->data);
}
