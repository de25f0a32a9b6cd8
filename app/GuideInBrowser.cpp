#include "GuideInBrowser.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "HtmlHelpLoader.h"
#include "PlatformFiles.h"

namespace {

// The help file's default topic: F1 and the help command both open it.
constexpr char kFirstTopic[] = "welcome.htm";

bool RunsUnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

bool OpenInBrowser(const char* topic)
{
    const std::string page = platform::ProgramFolder() + "help\\" + topic;
    if (!platform::PathExists(page))
        return false;
    const auto opened = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return opened > 32;
}

}  // namespace

void ShowGuide()
{
    if (RunsUnderWine() && OpenInBrowser(kFirstTopic))
        return;
    ShowHelpContents();
}
