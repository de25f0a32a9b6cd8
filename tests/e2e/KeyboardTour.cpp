// The real wizard by real keys alone: every step, the focus where it belongs and shown, the Tab round, a
// link opened and a run; then files dropped on it.

#include <utility>

#include "RemoteWizard.h"
#include "resource.h"

using namespace remote;

void KeyboardTour(const std::string& exe) {
    const std::string in = "C:\\tessiva-e2e\\keys";  // the pages are written beside the text
    EmptyFolder(in);
    WriteBytes(in + "\\a.txt", "Head\r\nThe page of a.txt");
    Wizard w(exe, exe.substr(0, exe.rfind('\\') + 1));
    SetText(w.Item(2, IDC_OUTPUT_PATH), in);
    SetText(w.Item(2, IDC_OUTPUT_NAME), "CON");  // the start of a device's name, no more
    const auto at = [&](HWND stop) { return FocusOf(w.window) == stop || ::GetParent(FocusOf(w.window)) == stop; };
    WaitFor([&] { return ::GetForegroundWindow() == w.window && at(w.Item(0, IDC_FILE_LIST)); }, "the list's focus");
    const HWND web = ::GetDlgItem(w.window, IDC_LINK_WEBSITE), email = ::GetDlgItem(w.window, IDC_LINK_EMAIL);
    const auto look = [](HWND control) {  // once the paints still pending are done
        ::RedrawWindow(::GetAncestor(control, GA_ROOT), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT r{};
        ::GetWindowRect(control, &r);
        return ScreenPixels(control, SIZE{r.right - r.left, r.bottom - r.top});
    };
    const auto settledLook = [&](HWND control) {  // a look that holds still: no repaint is on its way
        std::vector<DWORD> last = look(control);
        WaitFor([&] { ::Sleep(150); return std::exchange(last, look(control)) == last; }, "a settled look");
        return last;
    };
    // shown: a control whose look must change once the keys have given it the focus
    struct Row { std::vector<WORD> keys; int step; HWND focus; const char* what; HWND shown = nullptr; };
    for (const Row& row : std::vector<Row>{{{VK_TAB}, 0, w.Item(0, IDC_ADD), "Tab: from the list to ADD"},
             {{VK_RETURN}, 0, nullptr, "Enter on ADD: the file dialog; Enter there adds a file"},
             {{VK_CONTROL, VK_TAB}, 1, w.Item(1, IDC_TEMPLATE_NAME), "Ctrl+Tab: step 2, the focus in its first box"},
             {{VK_TAB}, 1, w.Item(1, IDC_VIEW), "Tab: VIEW shows the focus", w.Item(1, IDC_VIEW)},
             {{VK_CONTROL, VK_NEXT}, 2, w.Item(2, IDC_OUTPUT_PATH), "Ctrl+PgDn: step 3, the focus in its first box"},
             {{VK_TAB}, 2, w.Item(2, IDC_BROWSE), "Tab: BROWSE shows the focus", w.Item(2, IDC_BROWSE)},
             {{VK_SHIFT, VK_TAB}, 2, w.Item(2, IDC_OUTPUT_PATH), "Shift+Tab: the path again"},
             {{VK_SHIFT, VK_TAB}, 2, w.steps, "Shift+Tab: the step buttons before the page"},
             {{VK_RETURN}, 2, w.steps, "Enter on the step buttons"},
             {{VK_LEFT}, 1, w.steps, "has ended nothing; Left: step 2"},
             {{VK_CONTROL, VK_PRIOR}, 0, w.Item(0, IDC_FILE_LIST), "Ctrl+PgUp: step 1"},
             {{VK_CONTROL, VK_SHIFT, VK_TAB}, 2, w.Item(2, IDC_OUTPUT_PATH), "Ctrl+Shift+Tab: round to step 3"},
             {{VK_SHIFT, VK_TAB, VK_TAB}, 2, email, "Shift+Tab twice: the step buttons, then the e-mail link last"},
             {{VK_SHIFT, VK_TAB}, 2, web, "Shift+Tab: the web site link before it"},
             {{VK_SHIFT, VK_TAB}, 2, w.start, "Shift+Tab: START before the links"},
             {{VK_SHIFT, VK_TAB}, 2, w.Item(2, IDC_REPLACE_EXISTING), "Shift+Tab: the page's last box before START"},
             {{VK_TAB}, 2, w.start, "Tab: START after the page's last box"},
             {{VK_TAB}, 2, web, "Tab: the web site link after START, its focus shown", web},
             {{VK_TAB}, 2, email, "Tab: the e-mail link after it, its focus shown", email}}) {
        const std::vector<DWORD> unfocused = row.shown ? settledLook(row.shown) : std::vector<DWORD>{};
        PressKeys(row.keys);
        if (!row.focus) {  // ADD's file dialog, the focus in its name box
            WaitFor([&] { return !w.Boxes().empty() && ::IsChild(w.Boxes().front(), FocusOf(w.window)); }, row.what);
            Expect(Text(::GetDlgItem(w.Boxes().front(), cmb1)) == "TEXT FILE(*.txt)", "ADD's dialog offers text files first");
            SetText(FocusOf(w.window), in + "\\a.txt");
            PressKeys({VK_RETURN});
        }
        // The wizard in front again before the next keys: a closing file dialog may still hold them.
        WaitFor([&] { return w.ShowsPage(row.step) && w.Boxes().empty() && ::GetForegroundWindow() == w.window &&
                             (!row.focus || at(row.focus)) && (!row.shown || look(row.shown) != unfocused); }, row.what);
        Expect(true, row.what);
    }
    const std::vector<DWORD> unvisited = settledLook(email);
    PressKeys({VK_RETURN});  // on the e-mail link: the shell opens it, or its failure is told
    WaitFor([&] { return look(email) != unvisited || !w.Boxes().empty(); }, "Enter on the e-mail link");
    if (!w.Boxes().empty()) {
        const Box box = w.WaitForBox();
        Expect(box.text.rfind("Unable to open hyperlink:", 0) == 0, "Enter on the e-mail link: the shell says why not");
        w.Answer(box, IDOK);
    } else {
        Expect(true, "Enter on the e-mail link: opened, the link shows it visited");
    }
    PressKeys({VK_MENU, 'S'});
    w.Answer(w.WaitForBox(), IDOK);  // the run's last word
    Expect(ReadBytes(in + "\\CON0.htm").find("The page of a.txt") != std::string::npos, "Alt+S: START, a run");
    WriteBytes(in + "\\b.txt", "b"), WriteBytes(in + "\\-notes.dat", "n"), ::CreateDirectoryA((in + "\\folder.txt").c_str(), nullptr);
    DropFiles(w.window, {in, in + "\\-notes.dat", in + "\\A.TXT"}, false);  // as older programs drop them
    WaitFor([&] { return w.ShowsPage(0) && ListEntries(w.Item(0, IDC_FILE_LIST)) == std::vector<std::string>{
        in + "\\-notes.dat", in + "\\a.txt", in + "\\a.txt", in + "\\A.TXT", in + "\\b.txt"}; }, "a drop");
    Expect(true, "a dropped folder gives its .txt files (not its folders), a dropped file itself; STEP1 shows them in order, "
                 "names equal to one listed after it in the order dropped");
}
