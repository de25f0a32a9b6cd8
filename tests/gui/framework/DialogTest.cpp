// Dialogs: data exchange and its integer check; how a modal run ends, its owner
// and the PreTranslateMessage walk.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "CDataExchange.h"
#include "CDialog.h"
#include "CFileDialog.h"
#include "CWinApp.h"
#include "GuiHarness.h"

namespace {

TEST(DataExchange, TheIntegerRule) {
    struct Row { const char* text; bool ok; int value; };
    const Row rows[] = {
        {"42", true, 42}, {" \t-17\t ", true, -17}, {"+8", true, 8}, {"007", true, 7}, {"2147483647", true, INT_MAX},
        {"-2147483648", true, INT_MIN}, {"2147483648", false, 0}, {"-2147483649", false, 0}, {"99999999999999999999", false, 0},
        {"", false, 0}, {"  ", false, 0}, {"-", false, 0}, {"- 5", false, 0}, {"4 2", false, 0}, {"12a", false, 0},
        {"0x10", false, 0}, {"++1", false, 0}, {"\n5", false, 0},
        // Full-width, as an input method types them: digits, minus, plus and space.
        {"\xEF\xBC\x91\xEF\xBC\x99", true, 19}, {"\xE3\x80\x80\xEF\xBC\x8D\xEF\xBC\x97", true, -7},
        {"\xEF\xBC\x8B\xEF\xBC\x90" "8", true, 8}, {"\xEF\xBC\x9A", false, 0}, {"\xEF\xBC", false, 0},
        {"\xEF\xBD\x8B" "5", false, 0}, {"\xE3\x80\x8D" "5", false, 0}, {"\xE3\x82\x80" "5", false, 0},  // a full-width k, a closing bracket, a kana: no signs, no space
    };
    for (const Row& row : rows) {
        int value = 12345;
        EXPECT_EQ(row.ok, AfxParseInt32(row.text, value)) << '"' << row.text << '"';
        EXPECT_EQ(row.ok ? row.value : 12345, value) << '"' << row.text << '"';
    }
}

enum : WORD { kName = 201, kNumber, kLater, kCheck, kCombo, kDropList };

class FormDialog : public CDialog {
public:
    FormDialog()
    {
        for (WORD id : {kName, kNumber, kLater})
            m_template.Add("EDIT", "", id, WS_BORDER | ES_AUTOHSCROLL, 5, static_cast<short>(5 + 15 * (id - kName)), 90, 12);
        m_template.Add("BUTTON", "Check", kCheck, BS_AUTO3STATE, 5, 50, 90, 12);
        m_template.Add("COMBOBOX", "", kCombo, CBS_DROPDOWN | CBS_SORT | WS_VSCROLL, 100, 5, 90, 60)
            .Add("COMBOBOX", "", kDropList, CBS_DROPDOWNLIST | WS_VSCROLL, 100, 25, 90, 60);
    }
    bool Open() { return CreateIndirect(m_template.Get()) != FALSE; }
    CString m_name = "first", m_later = "later", m_typed = "templet2", m_choice = "templet1.htm";
    int m_number = 5, m_check = 2;
protected:
    BOOL OnInitDialog() override
    {
        for (const char* item : {"templet1.htm", "templet2.htm", "Templet3.htm", "other.htm"})
            for (WORD id : {kCombo, kDropList})
                ::SendDlgItemMessageA(m_hWnd, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        return CDialog::OnInitDialog();  // shows the members
    }
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, kName, m_name), DDX_Text(dx, kNumber, m_number), DDX_Text(dx, kLater, m_later);
        DDX_Check(dx, kCheck, m_check), DDX_CBString(dx, kCombo, m_typed), DDX_CBString(dx, kDropList, m_choice);
    }
    gui::DialogTemplate m_template{WS_POPUP | WS_VISIBLE, 200, 120};
};

TEST(DataExchange, ShowingAndCollectingAndANonIntegerStoppingAtItsField) {
    FormDialog form;
    ASSERT_TRUE(form.Open());
    auto text = [&](int id) { return gui::WindowText(::GetDlgItem(form, id)); };
    EXPECT_EQ("first", text(kName));  // its initialisation showed the members
    auto send = [&](int id, UINT message, WPARAM w = 0, const char* s = nullptr) { return ::SendDlgItemMessageA(form, id, message, w, reinterpret_cast<LPARAM>(s)); };
    struct Row { const char* label; int number; const char* typed; const char* numberText; const char* comboText; LRESULT selected; };
    const Row rows[] = {
        {"a prefix selects its entry", 5, "templet2", "5", "templet2.htm", 2},  // sorted after "other.htm"
        {"the prefix ignores case", INT_MIN, "TEMPLET3", "-2147483648", "Templet3.htm", 3},
        {"no entry: typed into the edit field", 0, "mine.htm", "0", "mine.htm", CB_ERR},
    };
    for (const Row& row : rows) {
        form.m_number = row.number;
        form.m_typed = row.typed;
        EXPECT_TRUE(form.UpdateData(FALSE)) << row.label;
        EXPECT_EQ(std::string(row.numberText) + "|" + row.comboText + "|" + std::to_string(row.selected),
                  text(kNumber) + "|" + text(kCombo) + "|" + std::to_string(send(kCombo, CB_GETCURSEL))) << row.label;
    }
    EXPECT_EQ(BST_INDETERMINATE, ::IsDlgButtonChecked(form, kCheck));
    using Typed = std::pair<int, const char*>;
    for (const Typed& typed : {Typed{kName, "typed name"}, Typed{kNumber, "  -31 "}, Typed{kLater, ""}, Typed{kCombo, "typed.htm"}})
        ::SetDlgItemTextA(form, typed.first, typed.second);
    ::CheckDlgButton(form, kCheck, BST_CHECKED);
    send(kDropList, CB_SETCURSEL, send(kDropList, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "other.htm"));
    ASSERT_TRUE(form.UpdateData(TRUE));
    EXPECT_EQ("typed name|-31||1|typed.htm|other.htm", form.m_name + "|" + std::to_string(form.m_number) + "|" + form.m_later + "|" +
                                                          std::to_string(form.m_check) + "|" + form.m_typed + "|" + form.m_choice);

    for (const Typed& typed : {Typed{kName, "new name"}, Typed{kNumber, "12 apples"}, Typed{kLater, "not collected"}})
        ::SetDlgItemTextA(form, typed.first, typed.second);
    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDOK);
    form.SendMessage(WM_COMMAND, IDOK);  // OK collects, up to the field that fails, and ends nothing
    ASSERT_EQ(1u, boxes.Seen().size());
    EXPECT_EQ("Please enter an integer.|gui_framework", boxes.Seen()[0].text + "|" + boxes.Seen()[0].caption);
    EXPECT_EQ(std::vector<int>{IDOK}, boxes.Seen()[0].buttons);
    // Collected before the failing field; the field and those after it kept.
    EXPECT_EQ("new name|-31|", form.m_name + "|" + std::to_string(form.m_number) + "|" + form.m_later);
    const HWND number = ::GetDlgItem(form, kNumber); EXPECT_EQ(number, ::GetFocus());
    EXPECT_TRUE(form.IsWindowVisible());  // still open
    EXPECT_EQ(MAKELRESULT(0, 9), ::SendMessageA(number, EM_GETSEL, 0, 0));  // its text selected
    CWnd missing; CDataExchange dx(&form, TRUE); EXPECT_THROW(DDX_Control(&dx, 999, missing), CDataExchange::Failure);  // no such control: the exchange stops
}

constexpr UINT kStep = WM_APP + 1;
constexpr WORD kEdit = 301;

// A modal dialog whose first posted message runs the test's action.
class ScriptedDialog : public CDialog {
public:
    explicit ScriptedDialog(gui::MessageLog& log) : m_log(log) { m_template.Add("EDIT", "", kEdit, WS_BORDER | WS_TABSTOP, 5, 5, 80, 12); }
    void OwnedBy(CWnd* owner) { InitModalIndirect(m_template.Get(), owner); }
    std::function<void(ScriptedDialog&)> m_onInit, m_onStep;
    HWND m_owner = nullptr;
    bool m_ownerDisabled = false; RECT m_placed{};
protected:
    const MessageMap& GetMessageMap() const override { static const MessageMap map(CDialog::GetMessageMap(), {OnRawMessage(kStep, &ScriptedDialog::OnStep)}); return map; }
    BOOL OnInitDialog() override { CDialog::OnInitDialog(); PostMessage(kStep); if (m_onInit) m_onInit(*this); return TRUE; }
    LRESULT OnStep(WPARAM, LPARAM)
    {
        m_log.Add("step");
        m_owner = ::GetWindow(m_hWnd, GW_OWNER), ::GetWindowRect(m_hWnd, &m_placed);
        m_ownerDisabled = m_owner && !::IsWindowEnabled(m_owner);
        return m_onStep ? m_onStep(*this) : void(), 0;
    }
    void OnOK() override { m_log.Add("OnOK"); CDialog::OnOK(); }
    void OnCancel() override { m_log.Add("OnCancel"); CDialog::OnCancel(); }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        return msg->message == WM_MOUSEMOVE ? m_log.Add("dialog PreTranslateMessage") : void(), CDialog::PreTranslateMessage(msg);
    }
    gui::MessageLog& m_log;
    gui::DialogTemplate m_template{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 120, 60, "Modal"};
};

// Relays what it sees, as a tooltip owner does.
class RelayingEdit : public CWnd {
public:
    explicit RelayingEdit(gui::MessageLog& log) : m_log(log) {}
    BOOL PreTranslateMessage(MSG* msg) override
    {
        return msg->message == WM_MOUSEMOVE ? m_log.Add("edit PreTranslateMessage") : void(), CWnd::PreTranslateMessage(msg);
    }
    gui::MessageLog& m_log;
};

TEST(FileDialog, SplitsQuotedNamesAndKeepsAPlainOneWhole) {
    EXPECT_EQ((std::vector<CString>{"a b.txt", "c.txt"}), AfxSplitFileSpec("\"a b.txt\" \"c.txt\" \"open"));
    EXPECT_EQ((std::vector<CString>{"plain name.txt"}), AfxSplitFileSpec("plain name.txt"));
    EXPECT_TRUE(AfxSplitFileSpec("").empty());
}

TEST(ModalLoop, EveryWayOfEndingARun) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, CRect(40, 30, 340, 230), nullptr, 0));
    gui::MessageLog log;
    RelayingEdit edit(log);
    using Action = std::function<void(ScriptedDialog&)>;
    auto key = [](WPARAM vk) { return [vk](ScriptedDialog& d) { ::PostMessageA(::GetDlgItem(d, kEdit), WM_KEYDOWN, vk, 0); }; };
    struct Row { const char* label; CWnd* owner; Action init, step; INT_PTR result; std::vector<std::string> log; WPARAM quit = 0; };
    const Row rows[] = {
        {"EndDialog", &owner, {}, [](ScriptedDialog& d) { d.EndDialog(77); }, 77, {"step"}},
        {"EndDialog while initialising", &owner, [](ScriptedDialog& d) { d.EndDialog(5); }, {}, 5, {}},
        {"Enter", &owner, {}, key(VK_RETURN), IDOK, {"step", "OnOK"}},
        {"Escape", &owner, {}, key(VK_ESCAPE), IDCANCEL, {"step", "OnCancel"}},
        {"the close box", &owner, {}, [](ScriptedDialog& d) { d.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }, IDCANCEL, {"step", "OnCancel"}},
        {"the window destroyed", &owner, {}, [](ScriptedDialog& d) { d.DestroyWindow(); }, -1, {"step"}},
        {"the window destroyed while initialising: never made", &owner, [](ScriptedDialog& d) { d.DestroyWindow(); }, {}, -1, {}},
        {"no parent: the main window owns it", nullptr, {}, [](ScriptedDialog& d) { d.EndDialog(IDOK); }, IDOK, {"step"}},
        {"mouse messages walk up from the target", &owner,
         [&](ScriptedDialog& d) { edit.SubclassDlgItem(kEdit, &d); ::PostMessageA(edit, WM_MOUSEMOVE, 0, 0); },
         [](ScriptedDialog& d) { d.PostMessage(WM_COMMAND, IDCANCEL); }, IDCANCEL,
         {"step", "edit PreTranslateMessage", "dialog PreTranslateMessage", "OnCancel"}},
        {"a quit request: left for the outer loop", &owner, {}, [](ScriptedDialog&) { ::PostQuitMessage(3); }, -1, {"step"}, 3},
    };
    ScriptedDialog dialog(log);  // one for every run: nothing of one run is left for the next
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        CWinApp app;
        app.m_pMainWnd = &owner;
        log.Clear(), dialog.OwnedBy(row.owner), dialog.m_onInit = row.init, dialog.m_onStep = row.step;
        EXPECT_EQ(row.result, dialog.DoModal());
        MSG quit{}; EXPECT_EQ(row.quit, ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? quit.wParam : 0);
        gui::FlushEvents();
        EXPECT_TRUE(log.Matches(row.log));
        if (!row.log.empty()) {
            EXPECT_EQ(owner.m_hWnd, dialog.m_owner);
            EXPECT_TRUE(dialog.m_ownerDisabled);  // and it opens in the owner's middle
            EXPECT_NEAR(380, dialog.m_placed.left + dialog.m_placed.right, 1); EXPECT_NEAR(260, dialog.m_placed.top + dialog.m_placed.bottom, 1);
        }
        EXPECT_TRUE(owner.IsWindowEnabled());
        EXPECT_EQ(nullptr, dialog.m_hWnd);
    }
    // A hidden owner: the middle of the screen's work area instead.
    owner.ShowWindow(SW_HIDE), dialog.OwnedBy(&owner), dialog.m_onStep = [](ScriptedDialog& d) { d.EndDialog(IDOK); }; EXPECT_EQ(IDOK, dialog.DoModal());
    RECT work{}; ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0); EXPECT_NEAR(work.left + work.right, dialog.m_placed.left + dialog.m_placed.right, 1);
}

}  // namespace
