#pragma once

#include <deque>
#include <string>
#include <vector>

#include "CAccessibleName.h"
#include "CDialog.h"
#include "CFileFind.h"
#include "CListBox.h"

// Step 1 of the wizard: the list of text files to convert. ADD picks files
// through the open-file dialog, DELETE removes the selected entries, CLEAR
// empties the list after asking. The page keeps the list in the order people
// number things in, as the shell lists names (by full path, numbers by their
// value, letters ignoring case: "Chapter 2" before "Chapter 10"); the same path
// may stand in it more than once.
//
// Files join the list a slice at a time on a timer, so that the window answers
// throughout, however many there are: dropped folders are read, the names put in
// order, then each goes into its place.
class CFilesPage : public CDialog {
    struct ListEntry {
        CString path;
        std::wstring key;  // its natural order key
    };

public:
    explicit CFilesPage(CWnd* parent = nullptr);

    // Adds files dropped on the wizard as ADD adds chosen ones; a dropped folder
    // gives its text files (*.txt).
    void AddDroppedFiles(HDROP drop);
    // Puts every file still on its way into the list at once (a run needs them all).
    void FinishAdding();

    CListBox m_listFiles;  // control IDC_FILE_LIST
    CString m_strCount;    // text of IDC_FILE_COUNT; empty until the list first changes

    // How long one slice of adding may keep the window from its messages.
    static constexpr DWORD kSliceMs = 40;

protected:
    const MessageMap& GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnAdd();
    void OnDelete();
    void OnClear();
    void OnTimer(UINT_PTR id);

    // A page inside the wizard is never closed: Enter and Escape change nothing
    // (otherwise they would hide the page and leave the wizard empty).
    void OnOK() override {}
    void OnCancel() override {}

private:
    // Adding: names to look at (files or folders), then files found but not yet
    // in order, then files in order waiting for their place in the list.
    void AddSoon(std::vector<CString> dropped, std::vector<CString> files);
    bool AddSlice(ULONGLONG until);  // true once nothing is left to add
    bool ReadDropped(ULONGLONG until);
    bool InsertPending(ULONGLONG until);
    void Found(const CString& path);
    void StopAdding();

    // Shows the number of entries, then the page's values in its controls.
    void UpdateCount();
    // Lets the list scroll sideways far enough to show its longest path: the
    // widest of all, or the widest known.
    void FitScrollWidth();
    void ShowScrollWidth();

    std::deque<CString> m_dropped;
    CFileFind m_folderSearch;  // the dropped folder being read
    CString m_strFolder;       // its path, ending in a backslash
    bool m_bMoreInFolder = false;
    std::vector<ListEntry> m_found;
    std::vector<ListEntry> m_pending;
    size_t m_nInserted = 0;  // of m_pending, already in the list
    std::vector<int> m_widths;  // of the entries' texts in pixels, in the list's order
    int m_nWidest = 0;          // the widest of them

    // What a screen reader calls the list and the bare number below it.
    CAccessibleName m_nameList;
    CAccessibleName m_nameCount;
};
