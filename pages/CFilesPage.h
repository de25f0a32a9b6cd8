#pragma once

#include "CAccessibleName.h"
#include "CDialog.h"
#include "CListBox.h"

// Step 1 of the wizard: the list of text files to convert. ADD picks files
// through the open-file dialog, DELETE removes the selected entries, CLEAR
// empties the list after asking. The list keeps itself sorted (by full path,
// ignoring case) and may hold the same path more than once.
class CFilesPage : public CDialog {
public:
    explicit CFilesPage(CWnd* parent = nullptr);

    // Adds files dropped on the wizard as ADD adds chosen ones; a dropped folder
    // gives its text files (*.txt).
    void AddDroppedFiles(HDROP drop);

    CListBox m_listFiles;  // control IDC_FILE_LIST
    CString m_strCount;    // text of IDC_FILE_COUNT; empty until the list first changes

protected:
    const MessageMap& GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnAdd();
    void OnDelete();
    void OnClear();

    // A page inside the wizard is never closed: Enter and Escape change nothing
    // (otherwise they would hide the page and leave the wizard empty).
    void OnOK() override {}
    void OnCancel() override {}

private:
    // Shows the number of entries, then the page's values in its controls.
    void UpdateCount();
    // Lets the list scroll sideways far enough to show its longest path.
    void FitScrollWidth();

    // What a screen reader calls the list and the bare number below it.
    CAccessibleName m_nameList;
    CAccessibleName m_nameCount;
};
