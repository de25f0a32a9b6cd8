#include "PagesHost.h"

#include <algorithm>

#include "resource.h"

namespace {

UnexpectedBoxes* t_unexpected = nullptr;

// Releases of one key seen by this thread's message retrieval.
WORD t_watchedKey = 0;
int t_keyReleases = 0;

LRESULT CALLBACK WatchKeys(int code, WPARAM key, LPARAM flags)
{
    const bool released = (flags & 0x80000000) != 0;
    if (code == HC_ACTION && key == t_watchedKey && released)
        ++t_keyReleases;
    return ::CallNextHookEx(nullptr, code, key, flags);
}

}  // namespace

PagesHost::PagesHost()
    : m_template(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 271, 241, "tessiva")
{
    // The wizard's step area and START, at the wizard's places.
    m_template.Add(WC_TABCONTROLA, "Tab1", IDC_STEPS, TCS_BUTTONS, 10, 55, 253, 142);
    m_template.Add("BUTTON", "START", IDC_START, BS_PUSHBUTTON | WS_TABSTOP, 207, 209, 45, 18);
}

const MessageMap& PagesHost::GetMessageMap() const
{
    static const MessageMap map(CDialog::GetMessageMap(), {});
    return map;
}

void PagesHost::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_STEPS, m_tabSteps);
}

bool PagesHost::Open()
{
    if (!CreateIndirect(m_template.Get(), nullptr))
        return false;
    m_tabSteps.AddPage("STEP1", &m_filesPage, IDD_FILES_PAGE);
    m_tabSteps.AddPage("STEP2", &m_templatePage, IDD_TEMPLATE_PAGE);
    m_tabSteps.AddPage("STEP3", &m_outputPage, IDD_OUTPUT_PAGE);
    m_tabSteps.CreatePages();
    SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(m_hWnd);
    gui::FlushEvents();
    return m_templatePage.m_hWnd && m_outputPage.m_hWnd;
}

void PagesHost::ShowStep(int index)
{
    CRect button;
    m_tabSteps.GetItemRect(index, &button);
    gui::ClickAt(m_tabSteps.m_hWnd, button.CenterPoint());
    // The click travels through the display server: wait until it has switched.
    const CDialog* pages[] = {&m_filesPage, &m_templatePage, &m_outputPage};
    gui::PumpUntil([&] { return pages[index]->IsWindowVisible() != FALSE; });
}

void ClickCentre(HWND control)
{
    CRect client;
    ::GetClientRect(control, &client);
    gui::ClickAt(control, client.CenterPoint());
    gui::FlushEvents();
}

void ClickCheckBox(HWND box)
{
    const LRESULT before = ::SendMessageA(box, BM_GETCHECK, 0, 0);
    ClickCentre(box);
    gui::PumpUntil([&] { return ::SendMessageA(box, BM_GETCHECK, 0, 0) != before; });
}

void TypeText(HWND control, const std::string& text)
{
    ::SetForegroundWindow(::GetAncestor(control, GA_ROOT));
    ::SetFocus(control);
    char className[32] = {};
    ::GetClassNameA(control, className, sizeof(className));
    if (lstrcmpiA(className, "ComboBox") == 0)
        ::SendMessageA(control, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    else
        ::SendMessageA(control, EM_SETSEL, 0, -1);
    gui::FlushEvents();
    std::vector<INPUT> keys;
    for (const char c : text) {
        INPUT down = {};
        down.type = INPUT_KEYBOARD;
        down.ki.wScan = static_cast<unsigned char>(c);
        down.ki.dwFlags = KEYEVENTF_UNICODE;
        INPUT up = down;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        keys.push_back(down);
        keys.push_back(up);
    }
    ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    // The keys travel through the display server and arrive when they arrive:
    // wait for the box to show all of them.
    if (!gui::PumpUntil([&] { return gui::WindowText(control) == text; }))
        ADD_FAILURE() << "typed \"" << text << "\", the box shows \""
                      << gui::WindowText(control) << "\"";
}

void PressKeyAndWait(WORD virtualKey)
{
    t_watchedKey = virtualKey;
    t_keyReleases = 0;
    const HHOOK hook = ::SetWindowsHookExA(WH_KEYBOARD, WatchKeys, nullptr, ::GetCurrentThreadId());
    gui::PressKey(virtualKey);
    gui::PumpUntil([] { return t_keyReleases > 0; });
    gui::FlushEvents();
    ::UnhookWindowsHookEx(hook);
    t_watchedKey = 0;
}

HWND ComboEdit(HWND combo)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    return ::GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

std::vector<std::string> ComboEntries(HWND combo)
{
    std::vector<std::string> entries;
    const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(::SendMessageA(combo, CB_GETLBTEXTLEN, i, 0));
        std::string text(static_cast<size_t>(length) + 1, '\0');
        ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        entries.push_back(text);
    }
    return entries;
}

std::pair<int, int> EditSelection(HWND edit)
{
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

UnexpectedBoxes::UnexpectedBoxes(HWND host) : m_host(host)
{
    t_unexpected = this;
    m_timer = ::SetTimer(nullptr, 0, 50, &UnexpectedBoxes::Tick);
}

UnexpectedBoxes::~UnexpectedBoxes()
{
    ::KillTimer(nullptr, m_timer);
    if (t_unexpected == this)
        t_unexpected = nullptr;
}

void CALLBACK UnexpectedBoxes::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_unexpected)
        t_unexpected->Look();
}

void UnexpectedBoxes::Look()
{
    struct Search {
        HWND host;
        const std::vector<HWND>* closed;
        HWND found;
    } search{m_host, &m_closed, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            const bool closing =
                std::find(s->closed->begin(), s->closed->end(), hwnd) != s->closed->end();
            if (hwnd != s->host && !closing && ::IsWindowVisible(hwnd) &&
                ::IsWindowEnabled(hwnd) && gui::ClassName(hwnd) == "#32770") {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return;
    std::string text = gui::WindowText(search.found);
    for (HWND c = ::GetWindow(search.found, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        if (gui::ClassName(c) == "Static")
            text += " | " + gui::WindowText(c);
    m_seen.push_back(text);
    m_closed.push_back(search.found);
    ::PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ::PostMessageA(search.found, WM_CLOSE, 0, 0);
}
