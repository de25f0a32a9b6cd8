#include "FolderBrowserDriver.h"

#include <commctrl.h>

#include "GuiHarness.h"

namespace {

thread_local FolderBrowserDriver* t_driver = nullptr;

// The browser's controls, as the shell numbers them.
constexpr int kTitleText = 14146;
constexpr int kFolderTree = 14145;

HWND FindBrowser()
{
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM out) -> BOOL {
            if (::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd) &&
                gui::ClassName(hwnd) == "#32770" && ::GetDlgItem(hwnd, kFolderTree)) {
                *reinterpret_cast<HWND*>(out) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string ItemText(HWND tree, HTREEITEM item)
{
    wchar_t text[MAX_PATH] = {};
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    char narrow[MAX_PATH * 2] = {};
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr);
    return narrow;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT how)
{
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// The children of `item`, after opening it as a click on its button would: the
// browser fills a folder's branch only when it is first expanded.
std::vector<HTREEITEM> Children(HWND tree, HTREEITEM item)
{
    ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    std::vector<HTREEITEM> children;
    for (HTREEITEM c = Next(tree, item, TVGN_CHILD); c; c = Next(tree, c, TVGN_NEXT))
        children.push_back(c);
    return children;
}

bool SameName(const std::string& a, const std::string& b)
{
    return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path) {
        if (c == '\\') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

// The tree item of a drive ("C:"): shown with its label as "... (C:)", one or two
// levels below the desktop (under the computer's item).
HTREEITEM FindDrive(HWND tree, HTREEITEM desktop, const std::string& drive)
{
    const std::string mark = "(" + drive + ")";
    for (HTREEITEM top : Children(tree, desktop)) {
        if (ItemText(tree, top).find(mark) != std::string::npos)
            return top;
    }
    for (HTREEITEM top : Children(tree, desktop)) {
        // Only containers that can hold drives; the file system's own root
        // would cost a walk through the whole disk.
        if (ItemText(tree, top).find('/') != std::string::npos)
            continue;
        for (HTREEITEM child : Children(tree, top))
            if (ItemText(tree, child).find(mark) != std::string::npos)
                return child;
    }
    return nullptr;
}

HTREEITEM FindFolder(HWND tree, const std::string& path)
{
    const std::vector<std::string> parts = SplitPath(path);
    const HTREEITEM desktop = Next(tree, nullptr, TVGN_ROOT);
    if (parts.empty() || !desktop)
        return nullptr;
    HTREEITEM item = FindDrive(tree, desktop, parts[0]);
    for (size_t i = 1; item && i < parts.size(); ++i) {
        HTREEITEM match = nullptr;
        for (HTREEITEM child : Children(tree, item))
            if (SameName(ItemText(tree, child), parts[i]))
                match = child;
        item = match;
    }
    return item;
}

void Press(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

}  // namespace

FolderBrowserDriver::FolderBrowserDriver()
{
    t_driver = this;
    m_timer = ::SetTimer(nullptr, 0, 20, &FolderBrowserDriver::Tick);
}

FolderBrowserDriver::~FolderBrowserDriver()
{
    ::KillTimer(nullptr, m_timer);
    if (t_driver == this)
        t_driver = nullptr;
}

void FolderBrowserDriver::Choose(const std::string& folder)
{
    Script script;
    script.folder = folder;
    m_scripts.push_back(script);
}

void FolderBrowserDriver::Cancel()
{
    Script script;
    script.cancel = true;
    m_scripts.push_back(script);
}

void CALLBACK FolderBrowserDriver::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_driver)
        t_driver->Look();
}

void FolderBrowserDriver::Look()
{
    if (m_scripts.empty())
        return;
    const HWND dialog = FindBrowser();
    if (!dialog)
        return;
    const Script script = m_scripts.front();
    m_scripts.erase(m_scripts.begin());

    SeenFolderBrowser seen;
    seen.caption = gui::WindowText(dialog);
    seen.title = gui::WindowText(::GetDlgItem(dialog, kTitleText));
    seen.owner = ::GetWindow(dialog, GW_OWNER);
    seen.ownerDisabled = seen.owner && !::IsWindowEnabled(seen.owner);
    if (script.cancel) {
        m_seen.push_back(seen);
        Press(dialog, IDCANCEL);
        return;
    }
    const HWND tree = ::GetDlgItem(dialog, kFolderTree);
    const HTREEITEM item = FindFolder(tree, script.folder);
    seen.found = item != nullptr;
    if (!item) {
        m_seen.push_back(seen);
        Press(dialog, IDCANCEL);
        return;
    }
    // Selecting tells the browser (TVN_SELCHANGED), which enables OK for a folder
    // of the file system.
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    seen.okEnabledAtChoice = ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != FALSE;
    m_seen.push_back(seen);
    Press(dialog, IDOK);
}
