// Dialog data exchange: the integer rule, failure handling, check boxes and the
// combo box's select-or-type rule.

#include <gtest/gtest.h>

#include <climits>

#include "CDataExchange.h"
#include "CDialog.h"
#include "CWinApp.h"
#include "GuiHarness.h"

namespace {

struct ParseCase {
    const char* text;
    bool ok;
    int value;
};

TEST(ParseInt32, AcceptsBlanksAndSignsAndRefusesEverythingElse)
{
    const ParseCase cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"  42", true, 42},
        {"42  ", true, 42},
        {"\t-17\t", true, -17},
        {"+8", true, 8},
        {"-0", true, 0},
        {"007", true, 7},
        {"2147483647", true, INT_MAX},
        {"-2147483648", true, INT_MIN},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"   ", false, 0},
        {"-", false, 0},
        {"+", false, 0},
        {"- 5", false, 0},
        {"4 2", false, 0},
        {"12a", false, 0},
        {"0x10", false, 0},
        {"1.5", false, 0},
        {"++1", false, 0},
        {"\n5", false, 0},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        int value = 12345;
        EXPECT_EQ(c.ok, AfxParseInt32(c.text, value));
        EXPECT_EQ(c.ok ? c.value : 12345, value);
    }
}

constexpr WORD kNameEdit = 201;
constexpr WORD kNumberEdit = 202;
constexpr WORD kLaterEdit = 203;
constexpr WORD kCheck = 204;
constexpr WORD kCombo = 205;
constexpr WORD kDropList = 206;

class FormDialog : public CDialog {
public:
    FormDialog() : m_template(WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 120, "Form")
    {
        m_template.Add("EDIT", "", kNameEdit, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 5, 5, 90, 12);
        m_template.Add("EDIT", "", kNumberEdit, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 5, 20, 90, 12);
        m_template.Add("EDIT", "", kLaterEdit, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 5, 35, 90, 12);
        m_template.Add("BUTTON", "Check", kCheck, BS_AUTO3STATE | WS_TABSTOP, 5, 50, 90, 12);
        m_template.Add("COMBOBOX", "", kCombo, CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP, 100, 5,
                       90, 60);
        m_template.Add("COMBOBOX", "", kDropList, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 100, 25,
                       90, 60);
    }

    bool Open() { return CreateIndirect(m_template.Get()) != FALSE; }

    CString m_name = "first";
    int m_number = 5;
    CString m_later = "later";
    int m_check = 2;
    CString m_template1 = "templet2";
    CString m_choice = "templet1.htm";

protected:
    BOOL OnInitDialog() override
    {
        // The lists are filled before the standard initialisation shows the values.
        for (const char* item : {"templet1.htm", "templet2.htm", "Templet3.htm", "other.htm"}) {
            ::SendDlgItemMessageA(m_hWnd, kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            ::SendDlgItemMessageA(m_hWnd, kDropList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, kNameEdit, m_name);
        DDX_Text(dx, kNumberEdit, m_number);
        DDX_Text(dx, kLaterEdit, m_later);
        DDX_Check(dx, kCheck, m_check);
        DDX_CBString(dx, kCombo, m_template1);
        DDX_CBString(dx, kDropList, m_choice);
    }

private:
    gui::DialogTemplate m_template;
};

class DataExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_form.Open());
        gui::FlushEvents();
    }
    void TearDown() override
    {
        m_form.DestroyWindow();
        gui::FlushEvents();
    }
    std::string Text(int id) { return gui::WindowText(::GetDlgItem(m_form.m_hWnd, id)); }
    void Type(int id, const char* text) { ::SetDlgItemTextA(m_form.m_hWnd, id, text); }

    FormDialog m_form;
};

TEST_F(DataExchangeTest, ShowingPutsTheMembersIntoTheControls)
{
    // The dialog's standard initialisation already showed them.
    EXPECT_EQ("first", Text(kNameEdit));
    EXPECT_EQ("5", Text(kNumberEdit));
    EXPECT_EQ(BST_INDETERMINATE, ::IsDlgButtonChecked(m_form.m_hWnd, kCheck));
    // "templet2" begins "templet2.htm": that entry is selected.
    const HWND combo = ::GetDlgItem(m_form.m_hWnd, kCombo);
    EXPECT_EQ("templet2.htm", Text(kCombo));
    EXPECT_EQ(::SendMessageA(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("templet2.htm")),
              ::SendMessageA(combo, CB_GETCURSEL, 0, 0));

    m_form.m_number = -2147483647 - 1;
    m_form.m_template1 = "TEMPLET3";  // prefix, ignoring case
    ASSERT_TRUE(m_form.UpdateData(FALSE));
    EXPECT_EQ("-2147483648", Text(kNumberEdit));
    EXPECT_EQ("Templet3.htm", Text(kCombo));

    m_form.m_template1 = "mine.htm";  // no entry begins with it: typed into the edit field
    ASSERT_TRUE(m_form.UpdateData(FALSE));
    EXPECT_EQ("mine.htm", Text(kCombo));
    EXPECT_EQ(CB_ERR, ::SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

TEST_F(DataExchangeTest, CollectingReadsTheControls)
{
    Type(kNameEdit, "typed name");
    Type(kNumberEdit, "  -31 ");
    Type(kLaterEdit, "");
    ::CheckDlgButton(m_form.m_hWnd, kCheck, BST_CHECKED);
    Type(kCombo, "typed.htm");
    const HWND dropList = ::GetDlgItem(m_form.m_hWnd, kDropList);
    ::SendMessageA(dropList, CB_SETCURSEL,
                   ::SendMessageA(dropList, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("other.htm")), 0);
    ASSERT_TRUE(m_form.UpdateData(TRUE));
    EXPECT_EQ("typed name", m_form.m_name);
    EXPECT_EQ(-31, m_form.m_number);
    EXPECT_EQ("", m_form.m_later);
    EXPECT_EQ(BST_CHECKED, m_form.m_check);
    EXPECT_EQ("typed.htm", m_form.m_template1);
    EXPECT_EQ("other.htm", m_form.m_choice);
}

TEST_F(DataExchangeTest, ANonIntegerTellsTheUserFocusesAndSelectsAndStopsTheExchange)
{
    Type(kNameEdit, "new name");
    Type(kNumberEdit, "12 apples");
    Type(kLaterEdit, "not collected");
    gui::MessageBoxAnswerer boxes;
    boxes.Answer(IDOK);
    EXPECT_FALSE(m_form.UpdateData(TRUE));
    ASSERT_EQ(1u, boxes.Seen().size());
    EXPECT_EQ("Please enter an integer.", boxes.Seen()[0].text);
    EXPECT_EQ(AfxGetAppName(), boxes.Seen()[0].caption);
    EXPECT_EQ(std::vector<int>{IDOK}, boxes.Seen()[0].buttons);

    // Members before the failure were collected, the failing one and those after kept.
    EXPECT_EQ("new name", m_form.m_name);
    EXPECT_EQ(5, m_form.m_number);
    EXPECT_EQ("later", m_form.m_later);

    const HWND number = ::GetDlgItem(m_form.m_hWnd, kNumberEdit);
    EXPECT_EQ(number, ::GetFocus());
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(number, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(9u, end);
}

TEST(AppName, IsTheExecutablesBaseName)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    name = name.substr(name.find_last_of('\\') + 1);
    name = name.substr(0, name.find_last_of('.'));
    EXPECT_EQ(name, AfxGetAppName());
    EXPECT_EQ("gui_framework", AfxGetAppName());
}

}  // namespace
