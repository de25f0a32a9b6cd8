// 3,000 texts through the real tessiva.exe: pinged all along, shown, stopped, replaced without asking, closed.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

#include "IndexFile.h"
#include "RemoteWizard.h"
#include "resource.h"

using namespace remote;
namespace {
const std::string kIn = "C:\\tessiva-e2e\\many", kOut = "C:\\tessiva-e2e\\many-out";
std::string Name(int i) { return std::to_string(1000 + i); }  // in list order

// From a thread of its own: pings, and those not answered within 3 s. A wizard that
// works on its own thread answers at once; a busy machine may still hold a ping back
// for a moment, so the bound is for a window that stops answering, not a slow one.
struct Pinger {
    std::atomic<int> done{0}, sent{0}, missed{0};
    std::thread thread;
    explicit Pinger(HWND window) : thread([this, window] {
        for (DWORD_PTR ignored = 0; !done; ::Sleep(20), ++sent)
            missed += !::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &ignored);
    }) {}
    ~Pinger() { Stop(); }
    void Stop() { if (!done.exchange(1)) thread.join(); }
};
// Once a page is written: "Converting file k of 3000", the k-th text and the bar at k - 1 of 0 to 3000, for the steps.
void ExpectProgress(const Wizard& w) {
    std::string count, file;  // read until they agree: the panel may change in between
    const HWND progress = w.PanelItem(IDC_RUN_BAR);
    WaitFor([&] {
        count = Text(w.PanelItem(IDC_RUN_COUNT)), file = Text(w.PanelItem(IDC_RUN_FILE));
        const int k = count.size() > 16 ? std::atoi(count.c_str() + 16) : 0;
        return ::IsWindowVisible(w.PanelItem(IDC_STOP)) && k > 1 && count == "Converting file " +
               std::to_string(k) + " of 3000" && file == kIn + "\\" + Name(k - 1) + ".txt" &&
               ::SendMessageW(progress, PBM_GETPOS, 0, 0) == k - 1 && ::SendMessageW(progress, PBM_GETRANGE, TRUE, 0) == 0 &&
               ::SendMessageW(progress, PBM_GETRANGE, FALSE, 0) == 3000;
    }, "the run's progress");
    GUITHREADINFO gui{sizeof gui};  // of the thread in front, the wizard's: STOP has the focus START had
    Expect(!::IsWindowVisible(w.steps) && ::GetGUIThreadInfo(0, &gui) && gui.hwndFocus == w.PanelItem(IDC_STOP),
           "the progress in place of the steps, STOP focused: \"" + count + "\", " + file);
    const std::string panel = ReaderName(::GetParent(w.PanelItem(IDC_STOP))), line = ReaderName(w.PanelItem(IDC_RUN_COUNT)),
                      name = ReaderName(w.PanelItem(IDC_RUN_FILE)), bar = ReaderName(w.PanelItem(IDC_RUN_BAR));
    Expect(panel == "Run in progress" && line.rfind("Progress: Converting file ", 0) == 0 && line.rfind(" of 3000") == line.size() - 8 &&
           name.rfind("File being converted: " + kIn + "\\", 0) == 0 && name.rfind(".txt") == name.size() - 4 &&
           bar.rfind("Files converted: ", 0) == 0 && bar.rfind(" of 3000") == bar.size() - 8,
           "a screen reader hears the panel's parts: " + panel + "; " + line + "; " + name + "; " + bar);
}
// Pages p1.htm on, each with its text's head, as many as index.htm names, and no other file: how many.
int ExpectPagesInStep(const std::string& what) {
    const std::string index = ReadBytes(kOut + "\\index.htm");
    std::string expected = MakeIndexStart("many-out");
    int pages = 0;
    for (bool written = true; written && expected.size() < index.size(); ++pages) {
        const std::string page = "p" + std::to_string(pages + 1) + ".htm", head = "Text " + Name(pages);
        expected += "<a href=\"" + page + "\">" + head + "</a><br>";
        written = ReadBytes(kOut + "\\" + page).find(head) != std::string::npos;
    }
    const auto files = std::distance(std::filesystem::directory_iterator(kOut), {});  // the pages and the index
    Expect(pages > 0 && index == expected && files == pages + 1,
           what + ": " + std::to_string(pages) + " pages, each in index.htm, " + std::to_string(files) + " files");
    return pages;
}
}  // namespace

void LongRun(const std::string& exe) {
    EmptyFolder(kIn);
    EmptyFolder(kOut);
    std::string names;
    for (int i = 0; i < 3000; ++i) {
        WriteBytes(kIn + "\\" + Name(i) + ".txt", "Text " + Name(i) + "\r\none  line\r\n");
        names += "\"" + Name(i) + ".txt\" ";
    }
    Wizard w(exe, exe.substr(0, exe.rfind('\\') + 1));
    w.AddFiles(names, kIn);
    WaitFor([&] { return Text(w.Item(0, IDC_FILE_COUNT)) == "3000"; }, "3000 files in the list");
    ClickStep(w.steps, 2);
    for (const auto& field : {std::make_pair(IDC_OUTPUT_PATH, kOut), {IDC_OUTPUT_NAME, "p"}, {IDC_START_NUMBER, "1"}})
        SetText(w.Item(2, field.first), field.second);
    Click(w.Item(2, IDC_CREATE_INDEX));
    Pinger pinger(w.window);
    Click(w.start);
    ExpectProgress(w);
    Click(w.PanelItem(IDC_STOP));
    const Box stopped = w.WaitForBox();  // once the run has ended
    const std::string said = "The work has been stopped.\n" + std::to_string(ExpectPagesInStep("after STOP"));
    Expect(stopped.text == said + " of 3000 pages were written to " + kOut, "STOP says how far it got: " + stopped.text);
    w.Answer(stopped, IDOK);
    WaitFor([&] { return ::IsWindowEnabled(w.start) && w.ShowsPage(2) && FocusOf(w.window) == w.start; }, "the stopped run to end, START focused again");
    w.ExpectKeysAnswered('A', 'O', w.Item(2, IDC_OUTPUT_PATH), "after STOP");
    WriteBytes(kOut + "\\p1.htm", "an older page");
    ::DeleteFileA((kOut + "\\index.htm").c_str());
    Click(w.Item(2, IDC_REPLACE_EXISTING));
    Click(w.start);
    WaitFor([&] { return !w.Boxes().empty(); }, "the whole run to end", 180000);
    const Box box = w.WaitForBox();
    Expect(box.text == "The work has been finished! Thank you for using!", "then the finishing message, no question");
    w.Answer(box, IDOK);
    w.ExpectKeysAnswered('A', 'N', w.Item(2, IDC_OUTPUT_NAME), "after the whole run");
    pinger.Stop();
    Expect(pinger.missed == 0, "every one of " + std::to_string(pinger.sent) + " pings answered within 3 s");
    ExpectPagesInStep("the whole run");
    EmptyFolder(kOut);
    Click(w.start);
    WaitFor([&] {  // past its first page
        const std::string count = Text(w.PanelItem(IDC_RUN_COUNT));
        return ::IsWindowVisible(w.PanelItem(IDC_STOP)) && count.size() > 16 && std::atoi(count.c_str() + 16) > 1;
    }, "the run in progress again");
    Expect(w.Close() == 0, "closing mid-run stops the run, then the program ends");
    ExpectPagesInStep("after closing");
}

// 20,000 texts dropped on the wizard as their folder (made beforehand, natively: through Wine
// one by one they take minutes), the first of them dropped again while the rest go in: it
// answers all along, lists them in order, and DELETE and CLEAR answer as quickly.
void LongList(const std::string& exe) {
    char folder[MAX_PATH] = {};
    ::GetFullPathNameA((OwnFolder() + "..\\tests\\e2e\\list").c_str(), MAX_PATH, folder, nullptr);
    std::vector<std::string> sample;  // every 499th entry, the first one twice
    for (int i = 0; i < 20000; i += 499)
        sample.push_back(std::string(folder) + "\\Letter " + std::to_string(std::max(i - 1, 0)) + ".txt");  // by number
    Wizard w(exe, exe.substr(0, exe.rfind('\\') + 1));
    Pinger pinger(w.window);
    DropFiles(w.window, {folder});  // a list that grew by going through it again would take minutes
    WaitFor([&] { return std::atoi(Text(w.Item(0, IDC_FILE_COUNT)).c_str()) > 0 && FocusOf(w.window) == w.Item(0, IDC_FILE_LIST); },
            "the first files in the list, and the list in focus", 60000);
    DropFiles(w.window, {sample[0]});
    WaitFor([&] { return Text(w.Item(0, IDC_FILE_COUNT)) == "20001"; }, "20001 files in the list", 60000);
    Expect(ListEntries(w.Item(0, IDC_FILE_LIST), 499) == sample, "the list holds them in order");
    ::SendMessageW(w.Item(0, IDC_FILE_LIST), LB_SETSEL, TRUE, 7);
    Click(w.Item(0, IDC_DELETE));
    WaitFor([&] { return Text(w.Item(0, IDC_FILE_COUNT)) == "20000"; }, "DELETE of one");
    Click(w.Item(0, IDC_CLEAR));
    w.Answer(w.WaitForBox(), IDYES);
    WaitFor([&] { return Text(w.Item(0, IDC_FILE_COUNT)) == "0"; }, "CLEAR of all");
    pinger.Stop();
    Expect(pinger.missed == 0, "every one of " + std::to_string(pinger.sent) +
                                   " pings through the drop, a DELETE and CLEAR answered within 3 s");
    Expect(w.Close() == 0, "the program ends when its window is closed");
}
