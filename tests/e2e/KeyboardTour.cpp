// The real wizard without the mouse: real keys reach every step, fill it in and
// run it; Enter on the step buttons ends nothing; files dropped join the list.

#include "RemoteWizard.h"
#include "resource.h"

using namespace remote;

namespace {

template <class Condition>
void Soon(Condition condition, const std::string& what) {
    WaitFor(condition, what);
    Expect(true, what);
}

// A flat button's caption whole: ink on its face, none in its first or last column.
bool CaptionWhole(HWND button) {
    RECT rect{};
    ::GetWindowRect(button, &rect);
    const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    const std::vector<DWORD> pixels = ScreenPixels(button, SIZE{width, height});
    bool inside = false, edge = false;
    for (size_t i = 0; i < pixels.size(); ++i)
        (i % width == 0 || i % width == size_t(width - 1) ? edge : inside) |= pixels[i] != pixels[0];
    return inside && !edge;
}

}  // namespace

void KeyboardTour(const std::string& exe) {
    const std::string in = "C:\\tessiva-e2e\\keys", out = in + "-out";
    EmptyFolder(in);
    EmptyFolder(out);
    WriteBytes(in + "\\one.txt", "One\r\nThe first.\r\n");
    WriteBytes(in + "\\two.txt", "Two\r\n");
    WriteBytes(in + "\\notes.dat", "no text");
    Wizard w(exe, exe.substr(0, exe.rfind('\\') + 1));
    const auto focusIn = [&](HWND control) {  // or in its part (a combo box's edit field)
        return [&w, control] { return FocusOf(w.window) == control || ::GetParent(FocusOf(w.window)) == control; };
    };
    Soon(focusIn(w.Item(0, IDC_FILE_LIST)), "the list has the focus at first");
    PressKeys(VK_TAB);
    WaitFor(focusIn(w.Item(0, IDC_ADD)), "Tab to ADD");
    PressKeys(VK_RETURN);
    WaitFor([&] { return !w.Boxes().empty() && ::IsChild(w.Boxes().front(), FocusOf(w.window)); }, "the file dialog");
    TypeText(in + "\\one.txt");
    PressKeys(VK_RETURN);
    Soon([&] { return ListEntries(w.Item(0, IDC_FILE_LIST)).size() == 1; }, "ADD by keys adds the typed file");

    PressKeys(VK_TAB, MOD_CONTROL);
    Soon([&] { return w.ShowsStep(1) && focusIn(w.Item(1, IDC_TEMPLATE_NAME))(); }, "Ctrl+Tab: step 2, its first box");
    Soon([&] { return CaptionWhole(w.Item(1, IDC_VIEW)); }, "VIEW shows its caption whole");
    PressKeys(VK_NEXT, MOD_CONTROL);
    Soon([&] { return w.ShowsStep(2) && focusIn(w.Item(2, IDC_OUTPUT_PATH))(); }, "Ctrl+PgDn: step 3, its first box");
    Soon([&] { return CaptionWhole(w.Item(2, IDC_BROWSE)); }, "BROWSE shows its caption whole");
    TypeText(out);
    PressKeys(VK_TAB);
    PressKeys(VK_TAB);
    WaitFor(focusIn(w.Item(2, IDC_OUTPUT_NAME)), "Tab past BROWSE to the file name");
    TypeText("k");
    for (int i = 0; i < 5; ++i)
        PressKeys(VK_TAB);
    Soon(focusIn(w.start), "Tab runs through the page's boxes to START");
    PressKeys(VK_TAB);
    Soon(focusIn(w.steps), "and from START to the step buttons");
    PressKeys(VK_RETURN);
    PressKeys(VK_LEFT);  // shown once the Enter before it has been handled
    Soon([&] { return w.ShowsStep(1) && w.Boxes().empty(); }, "Enter on the step buttons ends nothing; Left: step 2");
    PressKeys(VK_PRIOR, MOD_CONTROL);
    PressKeys(VK_TAB, MOD_CONTROL | MOD_SHIFT);
    Soon([&] { return w.ShowsStep(2); }, "Ctrl+PgUp, then Ctrl+Shift+Tab round past STEP1 to step 3");
    PressKeys(VK_TAB, MOD_SHIFT);
    PressKeys(VK_TAB, MOD_SHIFT);
    WaitFor(focusIn(w.start), "Shift+Tab back to START");
    PressKeys(VK_RETURN);
    const Box finished = w.WaitForBox();
    PressKeys(VK_RETURN);
    WaitFor([&] { return !::IsWindow(finished.window); }, "the box to close");
    Expect(finished.text == "The work has been finished! Thank you for using!" &&
               ReadBytes(out + "\\k0.htm").find("The first.") != std::string::npos, "a run by keys writes k0.htm");

    DropFiles(w.window, {in, in + "\\notes.dat"});
    Soon([&] { return w.ShowsStep(0) && ListEntries(w.Item(0, IDC_FILE_LIST)) == std::vector<std::string>{
        in + "\\notes.dat", in + "\\one.txt", in + "\\one.txt", in + "\\two.txt"}; },
         "a dropped folder gives its .txt files, a dropped file itself; step 1 shows them");
    PressKeys(VK_TAB, MOD_SHIFT);
    WaitFor(focusIn(w.steps), "Shift+Tab to the step buttons");
    PressKeys(VK_ESCAPE);
    Expect(w.WaitForExit() == 0, "Escape ends the wizard");
}
