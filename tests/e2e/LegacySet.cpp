// Older texts in a set the system does not use: the real wizard under a Japanese
// system, a windows-1252 text chosen as such on STEP2, words typed in two scripts.

#include "IndexFile.h"
#include "RemoteWizard.h"
#include "resource.h"

using namespace remote;

void LegacySet(const std::string& exe) {
    const std::string in = "C:\\tessiva-e2e\\legacy";  // the page is written beside the text
    EmptyFolder(in);
    WriteBytes(in + "\\donnees.txt", "Donn\xE9" "es\r\nd\xE9j\xE0\r\n");
    Wizard w(exe, exe.substr(0, exe.rfind('\\') + 1));
    DropFiles(w.window, {in + "\\donnees.txt"});
    ClickStep(w.steps, 1);
    const HWND sets = w.Item(1, IDC_LEGACY_CHARSET);
    Expect(Text(sets) == "shift_jis", "STEP2 offers the system's set first, chosen: " + Text(sets));
    const std::string typed = "\xE6\x97\xA5\xE6\x9C\xAC Zur\xC3\xBC" "ck";  // Japanese and German
    SetText(w.Item(1, IDC_KEYWORDS), typed);
    PressKeys({VK_MENU, 'I'});
    WaitFor([&] { return FocusOf(w.window) == sets; }, "Alt+I: the drop-down");
    PressKeys({VK_DOWN});
    WaitFor([&] { return Text(sets) == "windows-1252"; }, "Down: the next set");
    ClickStep(w.steps, 2);
    SetText(w.Item(2, IDC_OUTPUT_PATH), in);
    SetText(w.Item(2, IDC_HOME_TITLE), typed);
    Click(w.Item(2, IDC_CREATE_INDEX));
    Click(w.start);
    w.Answer(w.WaitForBox(), IDOK);  // the run's last word
    const std::string page = ReadBytes(in + "\\0.htm"), inSet = "&#x65E5;&#x672C; Zur\xFC" "ck";
    Expect(page.find("charset=\"windows-1252\">\n<title>Donn\xE9" "es</title>\n<meta name=\"keywords\" content=\"" +
                     inSet + "\">") != std::string::npos && page.find(">" + inSet + "</a>") != std::string::npos,
           "the page in the chosen set, typed words in it as references where it lacks them");
    Expect(ReadBytes(in + "\\index.htm") == MakeIndexStart(typed) + "<a href=\"0.htm\">Donn\xC3\xA9" "es</a><br>",
           "the index entry read in the chosen set");
}  // the wizard is ended with its object
